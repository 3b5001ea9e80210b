// The base of the list view: the batch-update counter with its re-index
// permission, the repaint request and the theme switch.
#pragma once

#include "listview/LumeHost.h"
#include "listview/paint/LumeThemeManager.h"

#include <functional>
#include <memory>

namespace lume {

class TLumeCanvasControl {
public:
    TLumeCanvasControl();
    virtual ~TLumeCanvasControl();

    virtual void DoUpdate() {}
    virtual void BeginUpdate(bool reIndex);
    virtual void EndUpdate(bool invalidate);
    void DoEndUpdate();

    void SafeInvalidateRect(const LumeRect* rect, bool immediateUpdate);
    bool DrawWithThemes() const;

    bool Themed() const { return themed_; }
    void SetThemed(bool value);

    // The window's life as the host reports it.
    virtual void WindowCreated();
    void WindowDestroyed();
    void ThemeChanged();

    void SetHost(ILumeHost* host) { host_ = host; }
    ILumeHost* Host() const { return host_; }
    bool HasWindow() const { return host_ && host_->HasWindow(); }

    bool ReIndexEnabled = true;
    int UpdateCount = 0;
    std::unique_ptr<TLumeThemeManager> ThemeManager;
    std::function<void(TLumeCanvasControl* sender)> OnEndUpdate;

protected:
    ILumeHost* host_ = nullptr;

private:
    bool themed_ = false;
};

}  // namespace lume
