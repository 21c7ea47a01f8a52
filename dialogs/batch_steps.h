// Long work on many files, run on the window thread in short slices with the program's
// messages handled between them, so every window keeps painting and answering. While it runs
// the thread's other windows take no input (nothing can start a second batch or change the
// catalogue underneath it); from kProgressFrom items on, a progress window shows how far it
// is and offers Cancel. The caller holds one write batch around it, so Cancel, like a failed
// step, leaves the catalogue as it was:
//
//   DatabaseBatch batch(db, DatabaseBatch::Kind::kWrite);
//   if (batch.Began() && RunInSteps(owner, paths.size(), IDS_PROGRESS_ADDING,
//                                   [&](std::size_t i) { return Add(paths[i]); }) ==
//                            BatchEnd::kDone) batch.Commit();
#pragma once

#include <windows.h>

#include <cstddef>
#include <functional>

namespace quillon {

enum class BatchEnd { kDone, kCancelled, kFailed };

// A few hundred files take long enough to show how far the work is.
inline constexpr std::size_t kProgressFrom = 200;

// Runs step(0) ... step(count - 1) in order; a step returns false when it failed (and said
// so). `textId` is the progress text, with {done} and {total}.
BatchEnd RunInSteps(HWND owner, std::size_t count, UINT textId,
                    const std::function<bool(std::size_t)>& step);

}  // namespace quillon
