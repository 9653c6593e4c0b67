#include "ui/message_box.h"

#include "core/game_state.h"
#include "core/scene.h"
#include "render/text.h"
#include "ui/buttons.h"
#include "views/views.h"

namespace {

constexpr const char* kBlankLine = "                                  ";  // 34 blanks

// Shows or hides the box (Cancel only in the two-button layout); pressed pictures are left alone.
void ShowMessageBox(bool visible) {
  const MessageBoxRecord& box = GameState.MessageBox;
  const int32_t value = visible ? 1 : 0;
  ViewsSetVisible({box.background, box.window, box.okButton}, value);
  if (box.okOnly == 0) ViewSetVisible(box.cancelButton, value);
  TextsSetVisible({box.line1, box.line2, box.line3}, value);
}

// Hides the box and goes back to its return scene (which leaves the screen under the box when
// the box leads to another screen).
void CloseMessageBox() {
  ShowMessageBox(false);
  SceneCloseDialog();
}

int MessageBoxOkTouched(int phase, int, int) {
  if (!ButtonLifted(phase, GameState.MessageBox.okButtonOver)) return 0;
  CloseMessageBox();
  Tap();
  if (GameState.MessageBox.okAction != nullptr) GameState.MessageBox.okAction();
  return 0;
}

int MessageBoxCancelTouched(int phase, int, int) {
  if (!ButtonLifted(phase, GameState.MessageBox.cancelButtonOver)) return 0;
  CloseMessageBox();
  Tap();
  return 0;
}

}  // namespace

void CreateMessageBox() {
  MessageBoxRecord& box = GameState.MessageBox;
  box.background = ViewAdd("Images/mbBG.png", -500, -500);
  box.window = ViewAdd("Images/mbWindow.png", -500, -500);
  box.okButton = ViewAdd("Images/mbOk.png", -500, -500, MessageBoxOkTouched);
  box.okButtonOver = PressedPicture(ViewAdd("Images/mbOkOver.png", -500, -500));
  box.cancelButton = ViewAdd("Images/mbCancel.png", -500, -500, MessageBoxCancelTouched);
  box.cancelButtonOver = PressedPicture(ViewAdd("Images/mbCancelOver.png", -500, -500));
  box.line1 = TextAdd(-500, -500, kBlankLine, GameState.font14);
  box.line2 = TextAdd(-500, -500, kBlankLine, GameState.font14);
  box.line3 = TextAdd(-500, -500, kBlankLine, GameState.font14);
  box.open = 0;
  box.okOnly = 0;  // so that hiding below also hides the Cancel button
  ShowMessageBox(false);
  ViewSetVisible(box.okButtonOver, 0);
  ViewSetVisible(box.cancelButtonOver, 0);
  ViewSetImageSize(box.background, 1024, 768);
  ViewSetxy(box.background, 0, 0);
  ViewSetxy(box.window, 382, 320);
  TextSetxy(box.line1, 395, 340);
  TextSetxy(box.line2, 395, 360);
  TextSetxy(box.line3, 395, 380);
}

void OpenMessageBox(const char* line1, const char* line2, const char* line3, int32_t returnScene, int32_t okOnly,
                    void (*okAction)()) {
  MessageBoxRecord& box = GameState.MessageBox;
  TextSetText(box.line1, line1);
  TextSetText(box.line2, line2);
  TextSetText(box.line3, line3);
  if (okOnly) {
    ViewSetxy(box.okButton, 464, 402);
    ViewSetxy(box.okButtonOver, 464, 402);
  } else {
    ViewSetxy(box.okButton, 402, 402);
    ViewSetxy(box.okButtonOver, 402, 402);
    ViewSetxy(box.cancelButton, 527, 402);
    ViewSetxy(box.cancelButtonOver, 527, 402);
  }
  box.okOnly = okOnly;
  box.okAction = okAction;
  ShowMessageBox(true);
  SceneOpenDialog(returnScene);
}
