#include "shell/message_box_reporter.h"

#include "framework/message_box.h"

namespace quillon {

void MessageBoxReporter::ReportDatabaseError(const std::u16string& text) { Show(text); }

void MessageBoxReporter::ReportReadError(const std::u16string& text) { Show(text); }

void MessageBoxReporter::Show(const std::u16string& text) {
  ShowMessage(owner_, text, kApplicationTitle, MB_OK);
}

}  // namespace quillon
