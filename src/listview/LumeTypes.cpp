#include "listview/LumeTypes.h"

namespace lume {

EListError::EListError(int index)
    : std::runtime_error(QStringLiteral("List index out of bounds (%1)").arg(index).toStdString()), Index(index) {}

TShiftState KeysToShiftState(uint32_t keys) {
    TShiftState s;
    if (keys & MK_SHIFT) s.Include(TShiftStateBit::ssShift);
    if (keys & MK_CONTROL) s.Include(TShiftStateBit::ssCtrl);
    if (keys & MK_LBUTTON) s.Include(TShiftStateBit::ssLeft);
    if (keys & MK_RBUTTON) s.Include(TShiftStateBit::ssRight);
    if (keys & MK_MBUTTON) s.Include(TShiftStateBit::ssMiddle);
    return s;
}

TLumeKeyStates KeysToKeyStates(uint32_t keys) {
    TLumeKeyStates s;
    if (keys & MK_CONTROL) s.Include(TLumeKeyState::eksControl);
    if (keys & MK_LBUTTON) s.Include(TLumeKeyState::eksLButton);
    if (keys & MK_MBUTTON) s.Include(TLumeKeyState::eksMButton);
    if (keys & MK_RBUTTON) s.Include(TLumeKeyState::eksRButton);
    if (keys & MK_SHIFT) s.Include(TLumeKeyState::eksShift);
    return s;
}

}  // namespace lume
