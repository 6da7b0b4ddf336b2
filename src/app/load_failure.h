#pragma once

class CLoadJob;
class COperation;

// The load job shows no message for a file that cannot be opened; the user
// still needs to know which one it was and why. Tells it through the prompts
// with `owner`; a side without a file, and failures the job has told, stay
// silent.
void ReportUnopenedFile(const CLoadJob& job, const COperation& operation, void* owner);
