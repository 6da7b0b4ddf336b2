#include "merge/write_failure.h"

#include "framework/file_functions.h"
#include "framework/str.h"
#include "services/prompts.h"
#include "text/format.h"
#include "translation/translator.h"

#include <cerrno>

namespace {

using NString::NTranslator::Text;

// The part of `path` before its last "/"; "." when it has none.
NString::TStr<char16_t> FolderOf(const char16_t* path) {
    const char16_t* separator = nullptr;
    for (const char16_t* position = path; *position != 0; ++position)
        if (*position == u'/')
            separator = position;
    if (separator == nullptr)
        return NString::TStr<char16_t>(u".");
    if (separator == path)
        return NString::TStr<char16_t>(u"/");
    return NString::TStr<char16_t>(path, static_cast<int>(separator - path));
}

} // namespace

void ShowWriteFailure(const char16_t* path, int systemError) {
    NString::TStr<char16_t> text;
    if (systemError == ENOENT) {
        NString::Format(text, Text("Msg.FolderMissing").Text(), FolderOf(path).Text(), path);
    } else {
        NString::Format(text, Text("Msg.CannotWriteFile").Text(), path,
                        NIO::SystemErrorText(systemError));
    }
    NPrompts::CurrentPrompts().ShowMessage(nullptr, text.Text(), Text("Misc.AppName").Text(),
                                           NPrompts::EIcon::Error, NPrompts::EButtons::Ok);
}
