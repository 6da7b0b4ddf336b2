#pragma once

#include "framework/job.h"

class CLoadProgress;
class COperation;

// Whether a load reads the input files again or matches those it has (after
// the format specifications changed).
enum class ELoadInputs { Read, Keep };

// The background job that loads an operation anew: throws the previous one
// away, reads the input files side by side (unless it keeps them), chooses
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
