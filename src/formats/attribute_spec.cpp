#include "formats/attribute_spec.h"

#include "formats/spec_writer.h"

int CAttributeSpec::Write(NIO::CBase& out, int indent) const {
    CSpecWriter writer(out);
    writer.Indent(indent).Markup("<attribute name='").Value(name.Text());
    if (!listSeparator.IsEmpty())
        writer.Markup("' listseparator='").Value(listSeparator.Text());
    return writer.Markup("'/>\r\n").Result();
}
