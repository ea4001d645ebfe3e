#include "fake_controller.h"

#include <stdexcept>

namespace zefra::test {

std::string commandOf(const std::string& frame) {
    if (frame.size() < 4) return {};
    return frame.substr(2, frame.size() - 4);
}

FakeController::FakeController() {
    listener_ = sockets::open(16, port_);
    if (listener_ == sockets::none) throw std::runtime_error("loopback listener");
    responder_ = [](const std::string&) { return std::string("ok"); };
    acceptor_ = std::thread([this] { acceptLoop(); });
}

FakeController::~FakeController() {
    stopping_ = true;
    acceptor_.join();
    {
        std::lock_guard<std::mutex> lock(mutex_);
        for (const sockets::Handle fd : clients_) sockets::shutdown(fd);
        changed_.notify_all();
    }
    for (auto& t : servers_) t.join();
    for (const sockets::Handle fd : clients_) sockets::close(fd);
    sockets::close(listener_);
}

void FakeController::acceptLoop() {
    while (!stopping_) {
        if (!sockets::waitReadable(listener_, 20)) continue;
        const sockets::Handle fd = sockets::accept(listener_);
        if (fd == sockets::none) continue;
        ++accepted_;
        std::lock_guard<std::mutex> lock(mutex_);
        clients_.push_back(fd);
        servers_.emplace_back([this, fd] { serve(fd); });
    }
}

bool FakeController::takeAction(Action& out) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (script_.empty()) return false;
    out = script_.front();
    script_.pop_front();
    return true;
}

void FakeController::serve(sockets::Handle fd) {
    std::string pending;
    char chunk[4096];
    for (;;) {
        const bool ready = sockets::waitReadable(fd, 20);
        if (stopping_) return;
        if (!ready) continue;
        const long n = sockets::receive(fd, chunk, sizeof chunk);
        if (n <= 0) return;
        pending.append(chunk, static_cast<std::size_t>(n));
        {
            std::lock_guard<std::mutex> lock(mutex_);
            bytes_ += static_cast<std::size_t>(n);
        }
        for (;;) {
            // A frame ends at the first "$$" or "**" after its "@@".
            std::size_t end = std::string::npos;
            for (std::size_t i = 3; i < pending.size(); ++i) {
                if ((pending[i] == '$' && pending[i - 1] == '$') || (pending[i] == '*' && pending[i - 1] == '*')) {
                    end = i + 1;
                    break;
                }
            }
            if (end == std::string::npos) break;
            const std::string frame = pending.substr(0, end);
            pending.erase(0, end);
            Action action;
            const bool scripted = takeAction(action);
            std::function<std::string(const std::string&)> responder;
            {
                std::lock_guard<std::mutex> lock(mutex_);
                responder = responder_;
            }
            if (!scripted) action.pieces = {"##" + responder(commandOf(frame)) + "$$"};
            {
                // Record before answering, so a test that has its reply also sees its frame.
                std::lock_guard<std::mutex> lock(mutex_);
                frames_.push_back(frame);
                changed_.notify_all();
            }
            if (action.kind == Action::close) {
                sockets::shutdown(fd);
                return;
            }
            if (action.kind == Action::silence) continue;
            for (std::size_t i = 0; i < action.pieces.size(); ++i) {
                if (i > 0 && action.gap.count() > 0) std::this_thread::sleep_for(action.gap);
                const std::string& piece = action.pieces[i];
                if (!sockets::send(fd, piece.data(), piece.size())) return;
            }
        }
    }
}

void FakeController::replyPayload(const std::string& payload) { replyRaw("##" + payload + "$$"); }

void FakeController::replyRaw(const std::string& bytes) { replyInPieces({bytes}, std::chrono::milliseconds(0)); }

void FakeController::replyInPieces(std::vector<std::string> pieces, std::chrono::milliseconds gap) {
    std::lock_guard<std::mutex> lock(mutex_);
    script_.push_back(Action{Action::reply, std::move(pieces), gap});
}

void FakeController::staySilent() {
    std::lock_guard<std::mutex> lock(mutex_);
    script_.push_back(Action{Action::silence, {}, {}});
}

void FakeController::closeOnRequest() {
    std::lock_guard<std::mutex> lock(mutex_);
    script_.push_back(Action{Action::close, {}, {}});
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
    std::lock_guard<std::mutex> lock(mutex_);
    return frames_.empty() ? std::string() : commandOf(frames_.back());
}

std::size_t FakeController::requestCount() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return frames_.size();
}

std::size_t FakeController::bytesReceived() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return bytes_;
}

bool FakeController::waitForRequests(std::size_t count, std::chrono::milliseconds limit) const {
    std::unique_lock<std::mutex> lock(mutex_);
    return changed_.wait_for(lock, limit, [&] { return frames_.size() >= count; });
}

void FakeController::clear() {
    std::lock_guard<std::mutex> lock(mutex_);
    frames_.clear();
    script_.clear();
    bytes_ = 0;
}

}  // namespace zefra::test
