// What a screen reader hears of the plates (the date, the time, the place)
// where the focus is: before a message, the words of the plates that changed
// since they were last told (「午前10時 公園」), in the window program and the
// page alike. A player who reads only the focused NEXT still learns that the
// hour struck or the place changed, and hears nothing of the plates that
// stayed.
#pragma once

#include <array>
#include <string>

namespace velmora::plates {

class PlateNews {
  public:
    // The plates as they read now; an empty date leaves the date as it was.
    void Show(const std::string& date, const std::string& time, const std::string& place);
    // The words of the plates changed since they were last told, apart by
    // a space, "" when none did; from now on they count as told.
    std::string Tell();

  private:
    std::array<std::string, 3> shown_;
    std::array<std::string, 3> told_;
};

}  // namespace velmora::plates
