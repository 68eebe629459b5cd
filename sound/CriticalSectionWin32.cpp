#include "sound/CriticalSection.h"

#include "vintara/Win32.h"

namespace vintara {

struct CCriticalSection::Impl {
    CRITICAL_SECTION section;
};

CCriticalSection::CCriticalSection() : impl_(std::make_unique<Impl>()) {
    InitializeCriticalSection(&impl_->section);
}
CCriticalSection::~CCriticalSection() { DeleteCriticalSection(&impl_->section); }
void CCriticalSection::Enter() { EnterCriticalSection(&impl_->section); }
void CCriticalSection::Leave() { LeaveCriticalSection(&impl_->section); }

} // namespace vintara
