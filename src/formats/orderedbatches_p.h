// Work cut into batches that run on every core, with each batch's result handed back on the
// calling thread in batch order — so a file is read or written in parallel while progress,
// cancellation and the order of the output stay those of a sequential loop.
#pragma once

#include <QtGlobal>
#include <functional>

namespace OrderedBatches {

// Runs work(i) for every batch i in [0, count), on the calling thread and on a pool of helper
// threads of its own. deliver(i) is called on the calling thread for i = 0, 1, ... as soon as
// batch i and every batch before it are done; returning false cancels: no batch starts after
// that and run() answers false. work must not touch what deliver touches for the same batch
// before it is delivered.
bool run(qsizetype count, const std::function<void(qsizetype)> &work, const std::function<bool(qsizetype)> &deliver);

} // namespace OrderedBatches
