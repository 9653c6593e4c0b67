#include "ui/user_folder_notice.h"

#include "core/game_state.h"
#include "core/scene.h"
#include "storage/user_folder.h"
#include "ui/message_box.h"

namespace {

struct Notice {
  const char* lines[3];
};

// By UserFolderProblemValue; each line fits the box's window.
constexpr Notice kNotices[] = {
    {{"", "", ""}},
    {{"Vel Mora is open elsewhere too.", "This copy plays, but keeps no", "progress or settings."}},
    {{"Your progress and settings", "cannot be saved here. You can", "play; changes end when you quit."}},
    {{"A saved file could not be read.", "It is left as it is; you can", "play from the start."}},
    {{"The browser's storage could not", "be read. Your progress is kept", "there; this visit saves nothing."}},
    {{"This browser keeps no storage.", "You can play, but progress is", "lost when the page is closed."}},
    {{"The browser's storage is full.", "The last change was not kept;", "earlier progress is."}},
};

bool NoticeCanOpen(int32_t scene) {
  return scene == SceneMainMenu || scene == SceneOptions || scene == SceneHelp || scene == SceneInterLevel;
}

}  // namespace

void ShowUserFolderNotice() {
  UserFolderRecord& folder = GameState.UserFolder;
  if (folder.noticeShown || MessageBoxIsOpen() || !NoticeCanOpen(GameState.SceneState)) return;
  const UserFolderProblemValue problem = UserFolderProblem();
  if (problem <= UserFolderFine || problem >= static_cast<int32_t>(sizeof kNotices / sizeof kNotices[0])) return;
  folder.noticeShown = 1;
  const Notice& notice = kNotices[problem];
  OpenMessageBox(notice.lines[0], notice.lines[1], notice.lines[2], GameState.SceneState, 1);
}
