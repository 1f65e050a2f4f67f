#include "engine/platform/pulse_capture.h"

#include <pulse/pulseaudio.h>

#include <algorithm>
#include <chrono>
#include <cstdio>

namespace glimmora {

namespace {

constexpr pa_sample_spec kSampleSpec{PA_SAMPLE_S16LE, 22050, 1};
constexpr pa_usec_t kFragmentUsec = 10'000;         // about 10 ms per fragment
constexpr pa_usec_t kRetryUsec = 1'000'000;         // a lost server is retried once a second
constexpr pa_usec_t kConnectLimitUsec = 5'000'000;  // a server that does not answer counts as lost
// Samples older than this answer silence: a recording stream delivers every 10 ms or so.
constexpr std::chrono::milliseconds kStaleAfter{500};

std::int64_t Now() { return std::chrono::steady_clock::now().time_since_epoch().count(); }

}  // namespace

struct PulseCapture::Connection {
  PulseCapture* owner = nullptr;
  pa_threaded_mainloop* loop = nullptr;
  pa_mainloop_api* api = nullptr;
  pa_context* context = nullptr;
  pa_stream* stream = nullptr;
  pa_time_event* timer = nullptr;  // the retry, or the limit on a connection attempt

  // Everything below runs with the mainloop lock held: on the mainloop thread, or on the
  // owner's thread inside pa_threaded_mainloop_lock.

  // On the monotonic clock while a context exists (a wall-clock step must not delay the
  // retry); on the wall clock only when no context could be made.
  void ArmTimer(pa_usec_t delay) {
    if (context != nullptr) {
      pa_context_rttime_restart(context, timer, pa_rtclock_now() + delay);
      return;
    }
    timeval when{};
    pa_gettimeofday(&when);
    pa_timeval_add(&when, delay);
    api->time_restart(timer, &when);
  }

  void SetState(CaptureState next, const char* reason) {
    const CaptureState previous = owner->state_.exchange(next, std::memory_order_relaxed);
    if (next == previous) return;
    if (next == CaptureState::kRecording) {
      std::fprintf(stderr, "Glimmora: sound capture is recording from the default source\n");
    } else if (next == CaptureState::kLost) {
      std::fprintf(stderr, "Glimmora: no sound capture (%s); silence until the sound server answers\n", reason);
    }
  }

  void Fail(const char* reason) {
    owner->samples_.Ring().Clear();
    SetState(CaptureState::kLost, reason);
    ArmTimer(kRetryUsec);
  }

  void Teardown() {
    if (stream != nullptr) {
      pa_stream_set_state_callback(stream, nullptr, nullptr);
      pa_stream_set_read_callback(stream, nullptr, nullptr);
      pa_stream_disconnect(stream);
      pa_stream_unref(stream);
      stream = nullptr;
    }
    if (context != nullptr) {
      pa_context_set_state_callback(context, nullptr, nullptr);
      pa_context_disconnect(context);
      pa_context_unref(context);
      context = nullptr;
    }
  }

  void Connect() {
    Teardown();
    context = pa_context_new(api, "Glimmora");
    if (context == nullptr) {
      Fail("cannot create a client context");
      return;
    }
    ArmTimer(kConnectLimitUsec);
    pa_context_set_state_callback(context, &Connection::OnContextState, this);
    // Never spawn a server of our own: the desktop's server, when it comes, is found by the retry.
    if (pa_context_connect(context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) {
      Fail(pa_strerror(pa_context_errno(context)));
    }
  }

  void OpenStream() {
    stream = pa_stream_new(context, "Glimmora capture", &kSampleSpec, nullptr);
    if (stream == nullptr) {
      Fail(pa_strerror(pa_context_errno(context)));
      return;
    }
    pa_stream_set_state_callback(stream, &Connection::OnStreamState, this);
    pa_stream_set_read_callback(stream, &Connection::OnRead, this);
    pa_buffer_attr attributes{};
    attributes.maxlength = static_cast<std::uint32_t>(-1);
    attributes.tlength = static_cast<std::uint32_t>(-1);
    attributes.prebuf = static_cast<std::uint32_t>(-1);
    attributes.minreq = static_cast<std::uint32_t>(-1);
    attributes.fragsize = static_cast<std::uint32_t>(pa_usec_to_bytes(kFragmentUsec, &kSampleSpec));
    if (pa_stream_connect_record(stream, nullptr, &attributes, PA_STREAM_ADJUST_LATENCY) < 0) {
      Fail(pa_strerror(pa_context_errno(context)));
    }
  }

  static void OnContextState(pa_context* context, void* self) {
    auto* connection = static_cast<Connection*>(self);
    switch (pa_context_get_state(context)) {
      case PA_CONTEXT_READY:
        connection->OpenStream();
        break;
      case PA_CONTEXT_FAILED:
      case PA_CONTEXT_TERMINATED:
        connection->Fail(pa_strerror(pa_context_errno(context)));
        break;
      default:
        break;
    }
  }

  static void OnStreamState(pa_stream* stream, void* self) {
    auto* connection = static_cast<Connection*>(self);
    switch (pa_stream_get_state(stream)) {
      case PA_STREAM_READY:
        connection->SetState(CaptureState::kRecording, "");
        connection->api->time_restart(connection->timer, nullptr);
        break;
      case PA_STREAM_FAILED:
      case PA_STREAM_TERMINATED:
        connection->Fail(pa_strerror(pa_context_errno(pa_stream_get_context(stream))));
        break;
      default:
        break;
    }
  }

  static void OnRead(pa_stream* stream, std::size_t, void* self) {
    auto* connection = static_cast<Connection*>(self);
    const void* data = nullptr;
    std::size_t bytes = 0;
    while (pa_stream_readable_size(stream) > 0 && pa_stream_peek(stream, &data, &bytes) == 0 && bytes > 0) {
      if (data != nullptr) {
        connection->owner->samples_.Ring().Write(
            std::span(static_cast<const std::int16_t*>(data), bytes / sizeof(std::int16_t)));
        connection->owner->lastWrite_.store(Now(), std::memory_order_relaxed);
      }
      pa_stream_drop(stream);
    }
  }

  // A retry after a failure, or the limit of an attempt that got no answer: start afresh.
  static void OnTimer(pa_mainloop_api*, pa_time_event*, const timeval*, void* self) {
    auto* connection = static_cast<Connection*>(self);
    if (connection->owner->State() == CaptureState::kConnecting) {
      connection->owner->samples_.Ring().Clear();
      connection->SetState(CaptureState::kLost, "the sound server does not answer");
    }
    connection->Connect();
  }
};

PulseCapture::PulseCapture() = default;

bool PulseCapture::Stale() const {
  const std::chrono::steady_clock::duration age(Now() - lastWrite_.load(std::memory_order_relaxed));
  return age > kStaleAfter;
}

std::uint32_t PulseCapture::Level() { return Stale() ? 0 : samples_.Level(); }

void PulseCapture::Spectrum(std::span<float, kSpectrumBins> out) {
  if (Stale()) {
    std::fill(out.begin(), out.end(), 0.0f);
  } else {
    samples_.Spectrum(out);
  }
}

PulseCapture::~PulseCapture() {
  if (!connection_ || connection_->loop == nullptr) return;
  pa_threaded_mainloop_lock(connection_->loop);
  connection_->Teardown();
  if (connection_->timer != nullptr) connection_->api->time_free(connection_->timer);
  pa_threaded_mainloop_unlock(connection_->loop);
  pa_threaded_mainloop_stop(connection_->loop);
  pa_threaded_mainloop_free(connection_->loop);
}

bool PulseCapture::Start() {
  if (connection_) return connection_->loop != nullptr;
  connection_ = std::make_unique<Connection>();
  connection_->owner = this;
  connection_->loop = pa_threaded_mainloop_new();
  if (connection_->loop == nullptr) return false;
  connection_->api = pa_threaded_mainloop_get_api(connection_->loop);
  if (pa_threaded_mainloop_start(connection_->loop) < 0) {
    pa_threaded_mainloop_free(connection_->loop);
    connection_->loop = nullptr;
    return false;
  }
  pa_threaded_mainloop_lock(connection_->loop);
  state_.store(CaptureState::kConnecting, std::memory_order_relaxed);
  connection_->timer = connection_->api->time_new(connection_->api, nullptr, &Connection::OnTimer, connection_.get());
  connection_->Connect();
  pa_threaded_mainloop_unlock(connection_->loop);
  return true;
}

}  // namespace glimmora
