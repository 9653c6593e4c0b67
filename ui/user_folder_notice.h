// Tells the player, once a session and in the message box, that progress or settings cannot be
// saved or read, and what still works.
#pragma once

// Each frame: opens the notice over the menu, the options, the help or the briefing when the
// session has met a failure the player has not been told of, and no other box is open.
void ShowUserFolderNotice();
