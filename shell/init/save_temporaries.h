#pragma once
// The temporaries that saves killed mid-write leave in the player's save
// folders: no later save of the same name may come to remove them (replays
// get a new name each time).

// Removes from each folder under user_data that the player saves into the
// temporaries of the files it saves there, and nothing else: a folder that
// leads out of the game folder (where every write is refused) is passed over,
// and a user's file that only looks like a temporary stays. Only for the
// player that holds the instance lock, so no other player is writing.
void RemoveStaleSaveTemporaries();
