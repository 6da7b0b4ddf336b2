#pragma once

// Where a load reports how far it has come: a progress bar from 0 to 100,
// and the end of the load. The default shows nothing.
class CLoadProgress {
public:
    CLoadProgress() = default;
    CLoadProgress(const CLoadProgress&) = delete;
    CLoadProgress& operator=(const CLoadProgress&) = delete;
    virtual ~CLoadProgress() = default;

    virtual void SetPosition(int /*percent*/) {}
    virtual void End() {}
};
