#pragma once

// The pickers that exist from start-up to the end of the run: the activity,
// municipality, occupation, race, absence and disability pickers. Needs
// dmLobrix (their trees are built from its tables).
void CreateStartupPickers();
void FreeStartupPickers();
