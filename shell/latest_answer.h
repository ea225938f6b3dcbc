#pragma once
// Asks the file system something that may take long (the subfolders of a huge folder, whether a
// drive is ready) on a thread of its own, so the window stays live, and hands the answer to the
// asker's thread. Only the newest question counts: asking again or dropping stops the one before
// (where it can stop) and its answer never arrives.
#include <QObject>
#include <QThreadPool>
#include <cstdint>
#include <functional>
#include <memory>
#include <stop_token>

namespace brixel {

class LatestAnswer : public QObject {
  Q_OBJECT

 public:
  explicit LatestAnswer(QObject* parent = nullptr);
  // Stops the question still open and waits for its thread: what a question reads must outlive
  // its asker, not more.
  ~LatestAnswer() override;

  // question runs on another thread; answered runs later on this object's thread with its result,
  // unless another question was asked or Drop called meanwhile.
  template <typename Result>
  void Ask(std::function<Result(std::stop_token)> question, std::function<void(Result)> answered) {
    Run([question = std::move(question), answered = std::move(answered)](std::stop_token stop) {
      auto result = std::make_shared<Result>(question(stop));
      return std::function<void()>([answered, result] { answered(std::move(*result)); });
    });
  }

  // Forgets the open question: its answer is dropped.
  void Drop();
  // A question is open: its answer has not arrived yet.
  bool Waiting() const { return waiting_; }

 private:
  void Run(std::function<std::function<void()>(std::stop_token)> question);

  QThreadPool threads_;
  std::stop_source stop_;
  std::uint64_t latest_ = 0;
  bool waiting_ = false;
};

}  // namespace brixel
