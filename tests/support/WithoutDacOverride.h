#pragma once

// Root ignores file and folder permissions; lowering this thread's DAC override capabilities
// makes a chmod'ed file or folder read-only for as long as the object lives.

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace vantorel::test {

class WithoutDacOverride {
  public:
    WithoutDacOverride() {
        if (syscall(SYS_capget, &header_, saved_) != 0) return;
        __user_cap_data_struct lowered[2] = {saved_[0], saved_[1]};
        const unsigned mask = (1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH);
        lowered[0].effective &= ~mask;
        lowered_ = syscall(SYS_capset, &header_, lowered) == 0;
    }
    ~WithoutDacOverride() {
        if (lowered_) syscall(SYS_capset, &header_, saved_);
    }
    WithoutDacOverride(const WithoutDacOverride&) = delete;
    WithoutDacOverride& operator=(const WithoutDacOverride&) = delete;

  private:
    __user_cap_header_struct header_{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct saved_[2]{};
    bool lowered_ = false;
};

}  // namespace vantorel::test
