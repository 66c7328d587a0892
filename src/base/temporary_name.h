#ifndef BOLTGEN_BASE_TEMPORARY_NAME_H_
#define BOLTGEN_BASE_TEMPORARY_NAME_H_

#include <string>
#include <string_view>

namespace boltgen {

// The start of the name of this process's temporaries beside `path`: hidden,
// and stamped with the process (os::ProcessStamp), so that a later run can
// tell the leftovers of a run that was killed from those of one still at work.
std::string TemporaryPrefix(std::string_view path);

// The process stamp in the name of a temporary (a file name, no folder);
// empty when the name is not one of a temporary.
std::string_view StampOfTemporary(std::string_view name);

// Removes the temporaries in `folder` (empty: the working folder) of runs
// that no longer run; those of a running one are left to it. Leftovers that
// cannot be removed (another user's) are left alone.
void RemoveDeadRunsTemporaries(const std::string& folder);

}  // namespace boltgen

#endif  // BOLTGEN_BASE_TEMPORARY_NAME_H_
