// The visual-style handles of one control. On this platform a handle is an
// opaque token: nonzero while the styles are loaded, 0 when closed.
#pragma once

#include <cstdint>

namespace lume {

class TLumeCanvasControl;

class TLumeThemeManager {
public:
    explicit TLumeThemeManager(TLumeCanvasControl* owner) : Owner(owner) {}
    virtual ~TLumeThemeManager() { ThemesFree(); }

    virtual void ThemesFree();
    virtual void ThemesLoad();

    using Handle = uintptr_t;
    Handle ButtonTheme = 0, ComboBoxTheme = 0, EditTheme = 0, ExplorerBarTheme = 0, HeaderTheme = 0,
           ListviewTheme = 0;
    bool ThemesLoaded = false;
    TLumeCanvasControl* Owner;
    Handle RebarTheme = 0, ScrollbarTheme = 0, TaskBandTheme = 0, TaskBarTheme = 0, TreeviewTheme = 0,
           WindowTheme = 0;
    // How often the handles were opened: the theme painters compare it to
    // know whether what they cached is still current.
    int LoadCount = 0;

private:
    Handle* Handles[12] = {&ButtonTheme, &ListviewTheme, &HeaderTheme, &TreeviewTheme, &ExplorerBarTheme, &ComboBoxTheme,
                           &EditTheme, &RebarTheme, &WindowTheme, &TaskBandTheme, &TaskBarTheme, &ScrollbarTheme};
};

}  // namespace lume
