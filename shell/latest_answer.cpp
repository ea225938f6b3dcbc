#include "shell/latest_answer.h"

namespace brixel {

LatestAnswer::LatestAnswer(QObject* parent) : QObject(parent) {}

LatestAnswer::~LatestAnswer() {
  stop_.request_stop();
  // No thread may post to this object once it is gone; answers already posted go with it.
  threads_.waitForDone();
}

void LatestAnswer::Drop() {
  stop_.request_stop();
  ++latest_;
  waiting_ = false;
}

void LatestAnswer::Run(std::function<std::function<void()>(std::stop_token)> question) {
  Drop();
  stop_ = std::stop_source();
  waiting_ = true;
  const std::uint64_t serial = latest_;
  threads_.start([this, serial, question = std::move(question), stop = stop_.get_token()] {
    std::function<void()> answer = question(stop);
    QMetaObject::invokeMethod(
        this,
        [this, serial, answer = std::move(answer)] {
          if (serial != latest_) return;  // a newer question, or a drop, came first
          waiting_ = false;
          answer();
        },
        Qt::QueuedConnection);
  });
}

}  // namespace brixel
