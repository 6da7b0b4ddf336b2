#pragma once

#include "framework/stream.h"

class COperation;

// Appends the report of the loaded `operation` to `out`, dated now. False
// when `out` fails.
bool WriteOperationReport(NIO::CBase& out, const COperation& operation);
