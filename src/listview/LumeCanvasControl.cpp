#include "listview/LumeCanvasControl.h"

namespace lume {

void TLumeThemeManager::ThemesFree() {
    ThemesLoaded = false;
    for (Handle* h : Handles) *h = 0;
}

void TLumeThemeManager::ThemesLoad() {
    ThemesFree();
    // Twelve distinct tokens in the order the classes are opened.
    Handle token = 1;
    for (Handle* h : Handles) *h = token++;
    ThemesLoaded = true;
    ++LoadCount;
    if (Owner && Owner->HasWindow()) Owner->Host()->RecreateFrame();
}

TLumeCanvasControl::TLumeCanvasControl() : ThemeManager(std::make_unique<TLumeThemeManager>(this)) {
    themed_ = true;
}

TLumeCanvasControl::~TLumeCanvasControl() = default;

void TLumeCanvasControl::BeginUpdate(bool reIndex) {
    if (UpdateCount <= 0) ReIndexEnabled = reIndex;
    ++UpdateCount;
}

void TLumeCanvasControl::EndUpdate(bool invalidate) {
    --UpdateCount;
    if (UpdateCount > 0) return;
    UpdateCount = 0;
    ReIndexEnabled = true;
    DoUpdate();
    if (invalidate && HasWindow()) host_->UpdateWindow();
    DoEndUpdate();
}

void TLumeCanvasControl::DoEndUpdate() {
    if (OnEndUpdate) OnEndUpdate(this);
}

void TLumeCanvasControl::SafeInvalidateRect(const LumeRect* rect, bool immediateUpdate) {
    if (!HasWindow()) return;
    host_->Invalidate(rect);
    if (immediateUpdate) host_->UpdateWindow();
}

bool TLumeCanvasControl::DrawWithThemes() const { return themed_ && ThemeManager->ThemesLoaded; }

void TLumeCanvasControl::SetThemed(bool value) {
    if (value == themed_) return;
    themed_ = value;
    if (themed_)
        ThemeManager->ThemesLoad();
    else
        ThemeManager->ThemesFree();
    if (HasWindow()) {
        host_->RecreateFrame();
        SafeInvalidateRect(nullptr, true);
    }
}

void TLumeCanvasControl::WindowCreated() {
    if (themed_) ThemeManager->ThemesLoad();
}

void TLumeCanvasControl::WindowDestroyed() { ThemeManager->ThemesFree(); }

void TLumeCanvasControl::ThemeChanged() {
    ThemeManager->ThemesFree();
    if (themed_) ThemeManager->ThemesLoad();
}

}  // namespace lume
