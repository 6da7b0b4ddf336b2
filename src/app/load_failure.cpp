#include "app/load_failure.h"

#include "framework/file_functions.h"
#include "framework/result.h"
#include "merge/load_job.h"
#include "merge/operation.h"
#include "services/prompts.h"
#include "text/format.h"
#include "translation/translator.h"

void ReportUnopenedFile(const CLoadJob& job, const COperation& operation, void* owner) {
    using NString::NTranslator::Text;
    if (job.FailedSide() < 0 || job.FailedResult() == NResult::kNotWellFormed ||
        job.FailedResult() == NResult::kUnsupportedCharset ||
        job.FailedResult() == NResult::kInexactCharset)
        return;
    const CXMLFile& file = operation.files[static_cast<std::size_t>(job.FailedSide())];
    if (file.path.IsEmpty())
        return;
    NString::TStr<char16_t> text;
    if (const int reason = NIO::ReadFailureReason(file.path.Text()); reason != 0)
        NString::Format(text, Text("Msg.CannotReadFile").Text(), file.path.Text(),
                        NIO::SystemErrorText(reason));
    else
        NString::Format(text, Text("Msg.CannotOpenFile").Text(), file.path.Text());
    NPrompts::CurrentPrompts().ShowMessage(owner, text.Text(), Text("Misc.AppName").Text(),
                                           NPrompts::EIcon::Error, NPrompts::EButtons::Ok);
}
