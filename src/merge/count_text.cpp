#include "merge/count_text.h"

#include "merge/merge_model.h"
#include "text/format.h"
#include "translation/translator.h"

namespace {

using NString::NTranslator::Text;

// Appends the text of `oneKey` for a count of 1, else `manyKey` with the count.
void AppendCount(NString::TStr<char16_t>& text, std::uint32_t count, const char* oneKey,
                 const char* manyKey) {
    if (count == 1) {
        text.Append(Text(oneKey).Text());
        return;
    }
    NString::TStr<char16_t> part;
    NString::Format(part, Text(manyKey).Text(), count);
    text.Append(part.Text());
}

} // namespace

NString::TStr<char16_t> CountText(std::uint32_t differences, std::uint32_t conflicts, bool merge) {
    const std::uint32_t resolved = differences > conflicts ? differences - conflicts : 0;
    const std::uint32_t shown = merge ? resolved : differences;
    NString::TStr<char16_t> text;
    if (shown != 0)
        AppendCount(text, shown, "Toolbar.1Diff", "Toolbar.NDiffs");
    if (!merge)
        return text;
    if (!text.IsEmpty())
        text.Append(u" + ");
    AppendCount(text, conflicts, "Toolbar.1Conflict", "Toolbar.NConflicts");
    return text;
}

NString::TStr<char16_t> CountText(const CMergeModel& model) {
    return CountText(model.DifferenceCount(), model.ConflictCount(), model.IsMerge());
}
