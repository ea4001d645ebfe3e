#include "fake_controller.h"

#include <stdexcept>

namespace zefra::test {
namespace {

// "@@text$$" -> "text"
std::string commandOf(const std::string& frame) {
    return frame.size() < 4 ? std::string() : frame.substr(2, frame.size() - 4);
}

}  // namespace

FakeController::FakeController() {
    listener_ = sockets::open(16, port_);
    if (listener_ == sockets::none) throw std::runtime_error("loopback listener");
    responder_ = [](const std::string&) { return std::string("ok"); };
    acceptor_ = std::thread([this] {
        while (!stopping_) {
            if (!sockets::waitReadable(listener_, 20)) continue;
            const sockets::Handle fd = sockets::accept(listener_);
            if (fd == sockets::none) continue;
            ++accepted_;
            std::lock_guard<std::mutex> lock(mutex_);
            clients_.push_back(fd);
            servers_.emplace_back([this, fd] { serve(fd); });
        }
    });
}

FakeController::~FakeController() {
    stopping_ = true;
    acceptor_.join();
    {
        std::lock_guard<std::mutex> lock(mutex_);
        for (const sockets::Handle fd : clients_) sockets::shutdown(fd);
    }
    for (auto& t : servers_) t.join();
    for (const sockets::Handle fd : clients_) sockets::close(fd);
    sockets::close(listener_);
}

// Records the frame before it is answered, so a test that has its reply also sees its frame.
// The responder runs unlocked: it may take its time.
FakeController::Action FakeController::next(const std::string& frame) {
    std::unique_lock<std::mutex> lock(mutex_);
    frames_.push_back(frame);
    if (script_.empty()) {
        const auto responder = responder_;
        lock.unlock();
        return {{"##" + responder(commandOf(frame)) + "$$"}};
    }
    Action action = std::move(script_.front());
    script_.pop_front();
    return action;
}

void FakeController::serve(sockets::Handle fd) {
    std::string pending;
    char chunk[4096];
    while (!stopping_) {
        if (!sockets::waitReadable(fd, 20)) continue;
        const long n = sockets::receive(fd, chunk, sizeof chunk);
        if (n <= 0) return;
        pending.append(chunk, static_cast<std::size_t>(n));
        // A frame ends at the first "$$" or "**" after its "@@".
        for (std::size_t i = 3; i < pending.size(); ++i) {
            if (pending[i] != pending[i - 1] || (pending[i] != '$' && pending[i] != '*')) continue;
            const Action action = next(pending.substr(0, i + 1));
            pending.erase(0, i + 1);
            i = 2;
            for (std::size_t p = 0; p < action.pieces.size(); ++p) {
                if (p > 0) std::this_thread::sleep_for(action.gap);
                if (!sockets::send(fd, action.pieces[p].data(), action.pieces[p].size())) return;
            }
            if (action.hangUp) return sockets::shutdown(fd);
        }
    }
}

void FakeController::script(Action action) {
    std::lock_guard<std::mutex> lock(mutex_);
    script_.push_back(std::move(action));
}

void FakeController::setResponder(std::function<std::string(const std::string&)> payloadFor) {
    std::lock_guard<std::mutex> lock(mutex_);
    responder_ = std::move(payloadFor);
}

std::vector<std::string> FakeController::frames() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return frames_;
}

std::vector<std::string> FakeController::commands() const {
    std::vector<std::string> out;
    for (const auto& f : frames()) out.push_back(commandOf(f));
    return out;
}

std::string FakeController::lastCommand() const {
    const auto all = commands();
    return all.empty() ? std::string() : all.back();
}

void FakeController::clear() {
    std::lock_guard<std::mutex> lock(mutex_);
    frames_.clear();
    script_.clear();
}

}  // namespace zefra::test
