// CDialog and CWindow driven for real: templates of the program, modal and modeless runs,
// the keyboard rules, subclassed controls, owner-draw reflection, drops and worker threads.
#include <gtest/gtest.h>
#include <windows.h>

#include <stdexcept>
#include <thread>

#include "framework/dialog.h"
#include "resources/resource.h"
#include "tests/support/modal_step.h"
#include "tests/support/windows_test_support.h"

namespace quillon {
namespace {

using testing::MessageBoxRecorder;
using testing::PumpUntil;

// Template 166: a folder name box, an Add Tags box, "Add" (default), "Delete", OK, Cancel.
class ProbeDialog : public CDialog {
 public:
  ProbeDialog() : CDialog(IDD_EDIT_FOLDER) {}

  int initCount = 0;
  int addClicks = 0;
  int okCount = 0;
  int pretranslatedEnters = 0;
  bool consumeEnter = false;
  bool throwOnDelete = false;
  UINT_PTR endOnTimer = 0;
  std::vector<std::u16string> dropped;
  POINT dropPoint{};
  DWORD taskThread = 0;
  RECT placeWhenEnded{};

  bool PreTranslateMessage(MSG& message) override {
    if (message.message == WM_KEYDOWN && message.wParam == VK_RETURN) {
      ++pretranslatedEnters;
      return consumeEnter;
    }
    return false;
  }

 protected:
  bool OnInitDialog() override {
    ++initCount;
    if (endOnTimer) ::SetTimer(Handle(), endOnTimer, 10, nullptr);
    return true;
  }
  bool OnCommand(int id, int, HWND) override {
    if (id == IDC_BTN_ADD) {
      ++addClicks;
      return true;
    }
    if (id == IDC_BTN_DELETE && throwOnDelete) throw std::runtime_error("broken handler");
    return false;
  }
  void OnOK() override {
    ++okCount;
    CDialog::OnOK();
  }
  bool OnTimer(UINT_PTR id) override {
    ::KillTimer(Handle(), id);
    ::GetWindowRect(Handle(), &placeWhenEnded);
    EndDialog(static_cast<INT_PTR>(id));
    return true;
  }
  bool OnDropFiles(const std::vector<std::u16string>& paths, POINT point) override {
    dropped = paths;
    dropPoint = point;
    return true;
  }
};

class DialogTest : public ::testing::Test {
 protected:
  void SetUp() override { testing::InitCommonControlsForTests(); }
  void Click(HWND dialog, int id) {
    ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
  }
};

TEST_F(DialogTest, ModelessDialogBindsRoutesCommandsAndEnds) {
  ProbeDialog dialog;
  ASSERT_TRUE(dialog.Create(nullptr));
  HWND window = dialog.Handle();
  EXPECT_EQ(dialog.initCount, 1);
  EXPECT_EQ(CWindow::FromHandle(window), &dialog);

  // Texts cross the boundary intact, beyond ASCII and with apostrophes.
  const std::u16string name = u"Fotos d'\u00e9t\u00e9 \u65e5\u672c";
  dialog.SetItemText(IDC_FOLDER_NAME, name);
  EXPECT_EQ(dialog.ItemText(IDC_FOLDER_NAME), name);

  Click(window, IDC_BTN_ADD);
  EXPECT_EQ(dialog.addClicks, 1);
  EXPECT_FALSE(dialog.Ended());
  // Commands OnCommand leaves still reach OK.
  Click(window, IDOK);
  EXPECT_EQ(dialog.okCount, 1);
  EXPECT_TRUE(dialog.Ended());
  EXPECT_EQ(dialog.Result(), IDOK);
  EXPECT_FALSE(::IsWindowVisible(window));
  EXPECT_TRUE(::IsWindow(window));
}

TEST_F(DialogTest, CloseBoxCancels) {
  ProbeDialog dialog;
  ASSERT_TRUE(dialog.Create(nullptr));
  // The dialog manager turns the close box into a posted Cancel command.
  ::SendMessageW(dialog.Handle(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(PumpUntil([&] { return dialog.Ended(); }));
  EXPECT_EQ(dialog.Result(), IDCANCEL);
}

TEST_F(DialogTest, DestroyingTheObjectDestroysTheWindowAndTheBinding) {
  HWND window = nullptr;
  {
    ProbeDialog dialog;
    ASSERT_TRUE(dialog.Create(nullptr));
    window = dialog.Handle();
  }
  EXPECT_FALSE(::IsWindow(window));
  EXPECT_EQ(CWindow::FromHandle(window), nullptr);
}

TEST_F(DialogTest, ModalRunEndsWithTheValueGivenAndReenablesTheOwner) {
  ProbeDialog owner;
  ASSERT_TRUE(owner.Create(nullptr));
  ProbeDialog dialog;
  dialog.endOnTimer = 42;
  EXPECT_EQ(dialog.DoModal(owner.Handle()), 42);
  EXPECT_EQ(dialog.initCount, 1);
  EXPECT_EQ(dialog.Handle(), nullptr);
  EXPECT_TRUE(::IsWindowEnabled(owner.Handle()));
}

TEST_F(DialogTest, ModalRunOpensOverTheMiddleOfItsOwner) {
  ProbeDialog owner;
  ASSERT_TRUE(owner.Create(nullptr));
  ::SetWindowPos(owner.Handle(), nullptr, 100, 120, 900, 700, SWP_NOZORDER | SWP_NOACTIVATE);
  ::ShowWindow(owner.Handle(), SW_SHOWNOACTIVATE);
  ProbeDialog dialog;
  dialog.endOnTimer = 7;
  ASSERT_EQ(dialog.DoModal(owner.Handle()), 7);
  const RECT& box = dialog.placeWhenEnded;
  EXPECT_NEAR((box.left + box.right) / 2, 100 + 900 / 2, 1);
  EXPECT_NEAR((box.top + box.bottom) / 2, 120 + 700 / 2, 1);
}

TEST_F(DialogTest, ModalRunIsDrivenByPostedKeys) {
  // Escape, posted to the focused control once the modal loop runs, reaches the dialog
  // manager through the framework's loop and cancels.
  ProbeDialog dialog;
  bool posted = false;
  testing::WhileModal escape([&] {
    if (posted || !dialog.Handle()) return;
    posted = true;
    const HWND focus = ::GetFocus();
    ::PostMessageW(focus ? focus : dialog.Item(IDC_ADD_TAGS), WM_KEYDOWN, VK_ESCAPE, 0);
  });
  EXPECT_EQ(dialog.DoModal(nullptr), IDCANCEL);
}

TEST_F(DialogTest, PreTranslateSeesKeysOfChildControlsAndMayConsumeThem) {
  ProbeDialog dialog;
  ASSERT_TRUE(dialog.Create(nullptr));
  HWND box = dialog.Item(IDC_ADD_TAGS);
  ::SetFocus(box);

  // Enter would press the default button "Add"; consumed, it does nothing.
  dialog.consumeEnter = true;
  ::PostMessageW(box, WM_KEYDOWN, VK_RETURN, 0);
  testing::PumpPending();
  EXPECT_EQ(dialog.pretranslatedEnters, 1);
  EXPECT_EQ(dialog.addClicks, 0);

  // Not consumed, the dialog manager turns it into the default button's command.
  dialog.consumeEnter = false;
  ::PostMessageW(box, WM_KEYDOWN, VK_RETURN, 0);
  testing::PumpPending();
  EXPECT_EQ(dialog.pretranslatedEnters, 2);
  EXPECT_EQ(dialog.addClicks, 1);
}

TEST_F(DialogTest, AnExceptionInAHandlerIsReportedOnceAndTheWindowLivesOn) {
  MessageBoxRecorder boxes;
  ProbeDialog dialog;
  ASSERT_TRUE(dialog.Create(nullptr));
  dialog.throwOnDelete = true;
  Click(dialog.Handle(), IDC_BTN_DELETE);
  ASSERT_EQ(boxes.Count(), 1u);
  const MessageBoxRequest box = boxes.Boxes()[0];
  EXPECT_EQ(box.caption, u"Veldmark Quillon");
  EXPECT_NE(box.text.find(u"broken handler"), std::u16string::npos);
  Click(dialog.Handle(), IDC_BTN_ADD);
  EXPECT_EQ(dialog.addClicks, 1);
}

TEST_F(DialogTest, DroppedFilesArriveAsPathsWithTheirPoint) {
  ProbeDialog dialog;
  ASSERT_TRUE(dialog.Create(nullptr));
  testing::SendDroppedFiles(dialog.Handle(), {u"C:\\docs\\a.txt", u"C:\\\u00e9t\u00e9\\b c.png"},
                            POINT{12, 34});
  ASSERT_EQ(dialog.dropped.size(), 2u);
  EXPECT_EQ(dialog.dropped[0], u"C:\\docs\\a.txt");
  EXPECT_EQ(dialog.dropped[1], u"C:\\\u00e9t\u00e9\\b c.png");
  EXPECT_EQ(dialog.dropPoint.x, 12);
  EXPECT_EQ(dialog.dropPoint.y, 34);
}

TEST_F(DialogTest, WorkerThreadTasksRunOnTheWindowThreadAndWait) {
  ProbeDialog dialog;
  ASSERT_TRUE(dialog.Create(nullptr));
  bool finished = false;
  std::u16string textAfterTask;
  std::thread worker([&] {
    RunOnWindowThread(dialog.Handle(), [&] {
      dialog.taskThread = ::GetCurrentThreadId();
      dialog.SetItemText(IDC_FOLDER_NAME, u"from the worker");
    });
    // The task has run when the call returns.
    textAfterTask = dialog.ItemText(IDC_FOLDER_NAME);
    finished = true;
  });
  const bool done = PumpUntil([&] { return finished; });
  worker.join();
  ASSERT_TRUE(done);
  EXPECT_EQ(dialog.taskThread, ::GetCurrentThreadId());
  EXPECT_EQ(textAfterTask, u"from the worker");
}

TEST_F(DialogTest, DialogUnitsMapToPixelsOfTheDialogFont) {
  ProbeDialog dialog;
  ASSERT_TRUE(dialog.Create(nullptr));
  // The OK button sits at 83, 143, 50 x 14 dialog units; place and size are mapped apart, as
  // the dialog manager maps them.
  const RECT place = dialog.DialogUnitsToPixels(RECT{83, 143, 0, 0});
  const RECT size = dialog.DialogUnitsToPixels(RECT{0, 0, 50, 14});
  RECT button;
  ::GetWindowRect(dialog.Item(IDOK), &button);
  ::MapWindowPoints(nullptr, dialog.Handle(), reinterpret_cast<POINT*>(&button), 2);
  EXPECT_EQ(button.left, place.left);
  EXPECT_EQ(button.top, place.top);
  EXPECT_EQ(button.right - button.left, size.right);
  EXPECT_EQ(button.bottom - button.top, size.bottom);
  EXPECT_GT(size.right, 50);
}

}  // namespace
}  // namespace quillon
