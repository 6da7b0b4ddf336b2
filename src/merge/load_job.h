#pragma once

#include "framework/job.h"

class CLoadProgress;
class COperation;
class CXMLFile;

// Loads one input file from its pending path, or else its path. Tells the
// user, with `owner` as the owner of the message, when the file is not
// well-formed XML (where and why) or uses an unsupported character set; a file that cannot be
// opened fails without a message. NXML::CDoc::Load's result (NResult::kOk on success).
int LoadInputFile(CXMLFile& file, COperation& operation, void* owner);

// Whether a load reads the input files again or matches those it has (after
// the format specifications changed).
enum class ELoadInputs { Read, Keep };

// The background job that loads an operation anew: throws the previous one
// away, loads every input file in side order (unless it keeps them), chooses
// the format specification, matches the documents and builds the merge
// model. The outcome is the flags' kFlagLoadFailed bit; progress and the end
// go to `progress`, questions to the prompts with `owner`.
class CLoadJob final : public NSys::CJob {
public:
    CLoadJob(COperation& operation, CLoadProgress& progress, void* owner,
             ELoadInputs inputs = ELoadInputs::Read)
        : m_operation(operation), m_progress(progress), m_owner(owner), m_inputs(inputs) {}

    void Execute() override;

    // After a failed load: the side whose file failed, or -1 when every file
    // loaded (the specification was missing); with the load's result.
    int FailedSide() const { return m_failedSide; }
    int FailedResult() const { return m_failedResult; }

private:
    bool LoadFiles();
    bool ChooseSpec();

    COperation& m_operation;
    CLoadProgress& m_progress;
    void* m_owner;
    ELoadInputs m_inputs;
    int m_failedSide = -1;
    int m_failedResult = 0;
};
