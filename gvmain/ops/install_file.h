// Installs one packaged file: compares it with an installed copy, writes it
// directly or through a temporary file, handles a destination in use, keeps
// the shared-file count and logs the result. The outcome is in job.state
// and job.restartNeeded.
//
// An existing destination is never deleted before the new file is
// complete: the new file goes to a temporary name beside it first, so a
// failed or cancelled copy leaves the installed file as it was.
#pragma once

#include "gvmain/ops/install_job.h"
#include "gvmain/ops/operation_host.h"
#include "gvmain/format/operation_log.h"

namespace gvmain {

// Asks for a retry (message 135) while the job fails and it has
// retryPrompt; without it a failure is reported once. An append job writes
// at the end of an existing destination and logs it as lengthened; it
// never goes through a temporary file. A destination that stays in use
// under a policy other than 0, 1 and 2 is left alone: the new file is
// dropped and the job fails.
void InstallFile(InstallJob& job, OperationHost& host, OperationLog* log);

}  // namespace gvmain
