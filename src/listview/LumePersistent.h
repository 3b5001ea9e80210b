// The bases every settings object, manager and collection object derives from.
#pragma once

namespace lume {

class TCustomLumeListview;
class ILumeOwner;

class TLumePersistent {
public:
    virtual ~TLumePersistent() = default;
};

// An object that belongs to one control and reaches it through OwnerListview.
class TLumeOwnedPersistent : public TLumePersistent {
public:
    explicit TLumeOwnedPersistent(TCustomLumeListview* owner) : OwnerListview(owner) {}
    TCustomLumeListview* OwnerListview;
    // The control as its parts see it (null without one).
    ILumeOwner* Owner() const;
};

}  // namespace lume
