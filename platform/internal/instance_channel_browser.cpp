// A page in the browser is a program of its own: it has no other copies to
// find and hands over to none, so the channel is there in name only.
#include "platform/internal/instance_channel.h"

namespace platform::internal {

void AcquireStartupLock(const InstanceKey&) {}
void ReleaseStartupLock(const InstanceKey&) {}
void ReleaseAllStartupLocks() {}

bool ProbeRunningInstance(const InstanceKey&) { return false; }

bool SendToRunningInstance(const InstanceKey&, UINT, WPARAM, LPARAM, LRESULT*) { return false; }

std::unique_ptr<ChannelListener> ChannelListener::Listen(const InstanceKey&) { return nullptr; }

ChannelListener::~ChannelListener() = default;

void ChannelListener::Service(const Handler&) {}

std::intptr_t ChannelListener::Waitable() const { return -1; }

}  // namespace platform::internal
