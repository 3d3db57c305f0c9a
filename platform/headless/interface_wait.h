// The waits that keep the interface alive (framework/interface_wait.h), in virtual time.
#pragma once

namespace headless {

// The calling thread's waits for another process's registry lock go through the virtual loop from now
// on: the wait's limit passes in virtual time, however fast the machine takes the steps.
void KeepInterfaceAliveInRegistryWaits();

}  // namespace headless
