#include "base/shutdown.h"

namespace plexo {
namespace {

bool shuttingDownFlag = false;

} // namespace

bool shuttingDown() {
    return shuttingDownFlag;
}

void setShuttingDown(bool on) {
    shuttingDownFlag = on;
}

} // namespace plexo
