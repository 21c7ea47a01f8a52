#include "shell/app/message_box_reporter.h"

#include "framework/message_box.h"

namespace quillon {

void MessageBoxReporter::ReportDatabaseError(const std::u16string& text) { Show(text); }

void MessageBoxReporter::ReportReadError(const std::u16string& text) { Show(text); }

void MessageBoxReporter::Show(const std::u16string& text) {
  ShowError(owner_, text, kApplicationTitle);
}

}  // namespace quillon
