#include "merge/window_title.h"

#include "compare/side_order.h"
#include "text/format.h"
#include "translation/translator.h"

namespace {

using NString::NTranslator::Text;

const char* TitleKey(bool merge, bool threeWay) {
    if (threeWay)
        return merge ? "Misc.Title3WM" : "Misc.Title3WD";
    return merge ? "Misc.Title2WM" : "Misc.Title2WD";
}

const char16_t* NameOf(const std::array<CXMLFile, 3>& files, int side) {
    return files[static_cast<std::size_t>(side)].DisplayName();
}

// What the window shows: the two-way texts name left and right, the
// three-way ones left, base and right.
NString::TStr<char16_t> OperationText(const std::array<CXMLFile, 3>& files, bool merge,
                                      bool threeWay) {
    NString::TStr<char16_t> text;
    const char16_t* format = Text(TitleKey(merge, threeWay)).Text();
    if (threeWay)
        NString::Format(text, format, NameOf(files, kSideLeft), NameOf(files, kSideBase),
                        NameOf(files, kSideRight));
    else
        NString::Format(text, format, NameOf(files, kSideLeft), NameOf(files, kSideRight));
    return text;
}

} // namespace

NString::TStr<char16_t> WindowTitle(const std::array<CXMLFile, 3>& files, bool loaded, bool merge,
                                    bool threeWay, const char16_t* countText) {
    if (!loaded)
        return NString::TStr<char16_t>(Text("Misc.AppName").Text());
    NString::TStr<char16_t> title = OperationText(files, merge, threeWay);
    title.Append(Text("Misc.AppName").Text());
    if (countText != nullptr && countText[0] != 0) {
        title.Append(u" - ");
        title.Append(countText);
    }
    return title;
}
