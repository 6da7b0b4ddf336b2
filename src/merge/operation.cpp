#include "merge/operation.h"

#include "formats/file_spec.h"
#include "framework/flags.h"
#include "merge/view_notifications.h"

SMatchContext COperation::Context() const {
    SMatchContext context;
    context.order = order;
    context.merge = flags.Has(NSettings::kFlagMerge);
    context.spec = spec;
    return context;
}

void COperation::Discard() {
    matchRoot.DeleteChildren();
    model.Reset(Context());
    CurrentViewNotifications().RefreshPanes();
}

void COperation::UseSpec(CFileSpec* newSpec) {
    if (spec != nullptr)
        spec->ClearFlags(CFileSpec::kInUse);
    spec = newSpec;
    if (spec != nullptr)
        spec->SetFlags(CFileSpec::kInUse);
}
