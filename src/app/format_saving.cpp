#include "app/format_saving.h"

#include "formats/format_list.h"
#include "services/prompts.h"
#include "text/format.h"
#include "translation/translator.h"

#include <vector>

bool SaveFormatsTellingFailures(CFormatList& library, QWidget* owner) {
    std::vector<NString::TStr<char16_t>> failed;
    library.SaveAll(&failed);
    if (failed.empty())
        return true;
    NString::TStr<char16_t> files;
    for (const NString::TStr<char16_t>& path : failed) {
        files.Append(files.IsEmpty() ? u"" : u"\n");
        files.Append(path.Text());
    }
    NString::TStr<char16_t> text;
    NString::Format(text, NString::NTranslator::Text("Prefs.MsgCannotSave").Text(), files.Text());
    NPrompts::CurrentPrompts().ShowMessage(owner, text.Text(),
                                           NString::NTranslator::Text("Misc.AppName").Text(),
                                           NPrompts::EIcon::Error, NPrompts::EButtons::Ok);
    return false;
}
