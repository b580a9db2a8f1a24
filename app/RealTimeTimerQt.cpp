#include "app/QtTimer.h"
#include "app/RealTimeTimer.h"

namespace sus {

std::unique_ptr<Timer> createRealTimeTimer()
{
    return std::make_unique<QtTimer>();
}

} // namespace sus
