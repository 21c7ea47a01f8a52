// CDialog: a window built from a dialog template of the resources, run modally or modeless.
//
//   class CAboutDlg : public CDialog {
//    public:
//     CAboutDlg() : CDialog(IDD_ABOUTBOX) {}
//    protected:
//     bool OnInitDialog() override;
//     bool OnCommand(int id, int code, HWND control) override;  // false: OK/Cancel still work
//   };
//   CAboutDlg about;  about.DoModal(owner);            // IDOK, IDCANCEL, or EndDialog's value
//
// Modal runs use the framework's own loop (ProcessMessage), which gives every bound window its
// PreTranslateMessage and keyboard navigation, also modeless windows open at the same time.
// Tests drive a modal run by posting input from a timer or a hook, or run the same dialog
// modeless with Create and read Ended() and Result() after pressing its buttons.
#pragma once

#include <windows.h>

#include "framework/window.h"

namespace quillon {

class CDialog : public CWindow {
 public:
  explicit CDialog(int templateId) : templateId_(templateId) {}
  ~CDialog() override;

  // Creates the dialog owned by `owner`, disables the owner, runs until EndDialog and destroys
  // the window; -1 when the dialog could not be created.
  INT_PTR DoModal(HWND owner);
  // Creates the dialog modeless (shown when its template says so); false on failure.
  bool Create(HWND owner);
  // Destroys a modeless dialog's window (OnDestroy runs). The destructor destroys the window
  // too, but without calling handlers.
  void Destroy();

  // Ends a modal run with `result`; a modeless dialog is hidden and keeps its window.
  void EndDialog(INT_PTR result);
  bool Ended() const { return ended_; }
  INT_PTR Result() const { return result_; }
  int TemplateId() const { return templateId_; }

  // Moves the dialog over the middle of its owner (of the work area when the owner is hidden);
  // modal runs with an owner do this before they show the dialog.
  void CentreOverOwner();

  // A rectangle of the template's dialog units in pixels of this dialog.
  RECT DialogUnitsToPixels(RECT units) const;

 protected:
  // Button 1 and Enter on the default OK button; button 2, Escape and the close box.
  virtual void OnOK() { EndDialog(IDOK); }
  virtual void OnCancel() { EndDialog(IDCANCEL); }

  bool RouteCommand(int id, int code, HWND control) override;

 private:
  static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  int templateId_;
  bool modal_ = false;
  bool ended_ = false;
  INT_PTR result_ = IDCANCEL;
};

// One message of a message loop: PreTranslateMessage of the bound windows from the target up
// to its top-level window, the dialog keys of our dialogs, then translate and dispatch.
void ProcessMessage(MSG& message);

}  // namespace quillon
