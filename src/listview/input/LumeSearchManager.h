// Type-ahead search: typed characters collect in a buffer, the application
// compares candidates against it, the first match is focused and selected;
// a pause empties the buffer.
#pragma once

#include "listview/LumePersistent.h"
#include "listview/LumeTypes.h"

namespace lume {

class TLumeItem;

enum class TLumeIncrementalSearchDir { eisdForward, eisdBackward };
enum class TLumeIncrementalSearchItemType { eisiAll, eisiInitializedOnly, eisiVisible };
enum class TLumeIncrementalSearchStart { eissStartOver, eissLastHit, eissFocusedNode };

class TLumeIncrementalSearchManager : public TLumeOwnedPersistent {
public:
    using TLumeOwnedPersistent::TLumeOwnedPersistent;
    ~TLumeIncrementalSearchManager() override;

    TLumeIncrementalSearchDir Direction = TLumeIncrementalSearchDir::eisdForward;
    bool Enabled = false;
    TLumeIncrementalSearchItemType ItemType = TLumeIncrementalSearchItemType::eisiVisible;
    int ResetTime = 2000;
    TLumeIncrementalSearchStart StartType = TLumeIncrementalSearchStart::eissStartOver;
    QString SearchBuffer;
    TLumeItem* SearchItem = nullptr;
    bool TimerRunning = false;
    bool Searching = false;
    int TimerId = 0;

    virtual void HandleKeyDown(uint16_t key, TShiftState shift);
    // Characters as Qt delivers them, appended as they are.
    virtual void HandleKeyPress(const QString& text);
    virtual void ClearSearchItem() { SearchItem = nullptr; }
    void ResetSearch();
    // An item going away is no candidate any more.
    void Forget(TLumeItem* item);

private:
    void StartSearch();
    void StartTimer();
    void StopTimer();
    TLumeItem* First() const;
    TLumeItem* Next(TLumeItem* item) const;
};

}  // namespace lume
