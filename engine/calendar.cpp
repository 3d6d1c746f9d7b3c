#include "calendar.h"

namespace engine {

std::string_view dayText(int day)
{
    static constexpr std::array<std::string_view, 32> texts{
        "",   "1",  "2",  "3",  "4",  "5",  "6",  "7",  "8",  "9",  "10", "11", "12", "13", "14", "15",
        "16", "17", "18", "19", "20", "21", "22", "23", "24", "25", "26", "27", "28", "29", "30", "31",
    };
    return day >= 0 && day <= 31 ? texts[static_cast<std::size_t>(day)] : std::string_view{};
}

} // namespace engine
