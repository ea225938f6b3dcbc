#include "core/listing/sorting_target.h"

#include <algorithm>
#include <system_error>

#include "core/listing/big_endian.h"

namespace brixel {

SortingTarget::SortingTarget(const Collator& collator, const WorkControl& control, std::size_t batch_rows,
                             std::size_t run_batches)
    : collator_(collator),
      stop_(control.stop),
      batch_rows_(std::max<std::size_t>(batch_rows, 1)),
      run_batches_limit_(std::max<std::size_t>(run_batches, 1)),
      run_keys_(collator) {
  filling_.Reserve(batch_rows_, batch_rows_ * 32);
}

SortingTarget::~SortingTarget() {
  EndThread(true);
}

void SortingTarget::Append(std::string_view name) {
  filling_.Append(name);
  if (filling_.Size() < batch_rows_) return;
  NameColumn full;
  full.Swap(filling_);
  Hand(std::move(full));
}

void SortingTarget::Hand(NameColumn&& batch) {
  bool recycled = false;
  {
    const std::lock_guard lock(mutex_);
    waiting_.push_back(std::move(batch));
    if (!spare_.empty()) {
      filling_.Swap(spare_.back());
      spare_.pop_back();
      recycled = true;
    }
  }
  wake_.notify_one();
  if (!recycled) filling_.Reserve(batch_rows_, batch_rows_ * 32);
  if (thread_.joinable() || no_thread_) return;
  try {
    thread_ = std::thread(&SortingTarget::MakeKeys, this);
  } catch (const std::system_error&) {
    no_thread_ = true;  // slower, not wrong
  }
}

// Makes the keys of a batch; a full run is sorted at once. False when the stop came first.
bool SortingTarget::Take(NameColumn&& batch) {
  if (stop_.stop_requested()) return false;
  for (std::size_t i = 0; i < batch.Size(); ++i) run_keys_.Add(batch[i]);
  run_batches_.push_back(std::move(batch));
  return run_batches_.size() < run_batches_limit_ || EndRun();
}

// Sorts the run gathered so far and keeps it with its names and keys in that order, so the merge
// reads every run front to back.
bool SortingTarget::EndRun() {
  if (run_batches_.empty()) return true;
  if (!run_keys_.Sort([this](std::uint32_t row) { return RunName(row); }, stop_)) return false;
  Run run;
  std::size_t bytes = 0;
  for (const NameColumn& batch : run_batches_) bytes += batch.ByteSize();
  run.names.Reserve(run_keys_.Size(), bytes);
  run.keys.reserve(run_keys_.KeyBytes());
  run.key_ends.reserve(run_keys_.Size());
  for (std::size_t i = 0; i < run_keys_.Size(); ++i) {
    run.names.Append(RunName(run_keys_.IndexAt(i)));
    run.keys.append(run_keys_.KeyAt(i));
    run.key_ends.push_back(static_cast<std::uint32_t>(run.keys.size()));
  }
  run_keys_.Clear();
  runs_.push_back(std::move(run));
  {
    const std::lock_guard lock(mutex_);  // the walk fills them again
    for (NameColumn& batch : run_batches_) {
      batch.Clear();
      spare_.push_back(std::move(batch));
    }
  }
  run_batches_.clear();
  return true;
}

void SortingTarget::MakeKeys() {
  try {
    std::unique_lock lock(mutex_);
    for (;;) {
      wake_.wait(lock, stop_, [this] { return !waiting_.empty() || closed_; });
      if (abandoned_ || waiting_.empty() || stop_.stop_requested()) return;
      NameColumn batch = std::move(waiting_.front());
      waiting_.pop_front();
      lock.unlock();
      if (!Take(std::move(batch))) return;
      lock.lock();
    }
  } catch (...) {
    failure_ = std::current_exception();  // told to the caller by Finish
  }
}

void SortingTarget::EndThread(bool abandon) {
  {
    const std::lock_guard lock(mutex_);
    closed_ = true;
    abandoned_ = abandoned_ || abandon;
  }
  wake_.notify_one();
  if (thread_.joinable()) thread_.join();
}

bool SortingTarget::Finish(ListTarget& next) {
  if (!filling_.Empty()) {
    const std::lock_guard lock(mutex_);
    waiting_.push_back(std::move(filling_));
  }
  EndThread(false);
  if (failure_) std::rethrow_exception(failure_);
  // What the thread left (everything when there was none) is done here.
  for (; !waiting_.empty(); waiting_.pop_front())
    if (!Take(std::move(waiting_.front()))) return false;
  if (!EndRun() || stop_.stop_requested()) return false;

  NameColumn names;
  if (runs_.size() == 1) {
    names.Swap(runs_.front().names);
  } else if (!MergeRuns(runs_, collator_, names, stop_)) {
    return false;
  }
  runs_.clear();
  next.AppendAll(std::move(names));
  return true;
}

namespace {

// The head of one run in the merge. Its first sixteen leading-key bytes, zero-padded, decide most
// comparisons without touching the key buffer; its order key is made only when leading keys tie.
struct Head {
  const SortingTarget::Run* run = nullptr;
  std::size_t at = 0;
  std::uint64_t lead[2] = {};
  std::string_view key = {};
  std::string order_key = {};
  bool has_order_key = false;

  bool Done() const { return at == run->names.Size(); }
  std::string_view Name() const { return run->names[at]; }
  void Load() {
    if (Done()) return;
    const std::uint32_t begin = at == 0 ? 0 : run->key_ends[at - 1];
    key = std::string_view(run->keys).substr(begin, run->key_ends[at] - begin);
    lead[0] = BigEndian64At(key, 0);
    lead[1] = BigEndian64At(key, 8);
    has_order_key = false;
  }
  const std::string& OrderKey(const Collator& collator) {
    if (!has_order_key) {
      order_key.clear();
      AppendOrderKey(Name(), collator, order_key);
      has_order_key = true;
    }
    return order_key;
  }
};

// As OrderKeys sorts: leading key, order key, name, then the order found (runs are in that order,
// so the lower run comes first). A run that is done comes after all others.
bool Before(std::vector<Head>& heads, std::size_t a, std::size_t b, const Collator& collator) {
  Head& x = heads[a];
  Head& y = heads[b];
  if (x.Done() || y.Done()) return !x.Done();
  if (x.lead[0] != y.lead[0]) return x.lead[0] < y.lead[0];
  if (x.lead[1] != y.lead[1]) return x.lead[1] < y.lead[1];
  if (const int c = x.key.compare(y.key); c != 0) return c < 0;
  if (const int c = x.OrderKey(collator).compare(y.OrderKey(collator)); c != 0) return c < 0;
  if (const int c = x.Name().compare(y.Name()); c != 0) return c < 0;
  return a < b;
}

}  // namespace

bool MergeRuns(std::vector<SortingTarget::Run>& runs, const Collator& collator, NameColumn& names,
               std::stop_token stop) {
  std::size_t rows = 0, bytes = 0;
  std::vector<Head> heads(runs.size());
  for (std::size_t i = 0; i < runs.size(); ++i) {
    rows += runs[i].names.Size();
    bytes += runs[i].names.ByteSize();
    heads[i].run = &runs[i];
    heads[i].Load();
  }
  names.Reserve(names.Size() + rows, names.ByteSize() + bytes);
  const std::size_t k = heads.size();
  if (k == 0) return true;

  // A tournament of losers: each inner node keeps the head that lost the match played there, the
  // root the winner, so the next winner takes one match per level. Leaves k..2k-1 are the heads.
  std::vector<std::size_t> loser(k);
  const auto play = [&](auto& self, std::size_t node) -> std::size_t {
    if (node >= k) return node - k;
    std::size_t a = self(self, 2 * node), b = self(self, 2 * node + 1);
    if (Before(heads, b, a, collator)) std::swap(a, b);
    loser[node] = b;
    return a;
  };
  std::size_t winner = play(play, 1);
  for (std::size_t done = 0; !heads[winner].Done(); ++done) {
    if (done % 16384 == 0 && stop.stop_requested()) return false;
    Head& h = heads[winner];
    names.Append(h.Name());
    ++h.at;
    h.Load();
    for (std::size_t node = (winner + k) / 2; node > 0; node /= 2)
      if (Before(heads, loser[node], winner, collator)) std::swap(loser[node], winner);
  }
  return true;
}

}  // namespace brixel
