#include "formats/content_spec.h"

#include "formats/spec_writer.h"

int CContentSpec::Write(NIO::CBase& out, int indent) const {
    return CSpecWriter(out).Indent(indent).Markup("<content/>\r\n").Result();
}
