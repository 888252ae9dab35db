#include "app/MassHaulInputs.h"

#include "text/NumberText.h"
#include "text/PathText.h"

namespace mardex {

HaulBoxValue ReadHaulBox(const std::string& text, const std::string& caption)
{
    HaulBoxValue v;
    const std::string t = Trim(text);
    if (t.empty()) return v;
    const auto number = ReadsAsNumber(t) ? ParseNumber(t) : std::nullopt;
    if (!number || *number < 0)
        v.refusal = caption + ": '" + t + "' is not a number of at least 0 (digits with a decimal point, no unit)";
    else
        v.value = number;
    return v;
}

std::string WithExportExtension(const std::string& path, const std::string& extension)
{
    const std::string name = StripFile(path);
    if (name.empty() || name.find('.') != std::string::npos) return path;
    return path + "." + extension;
}

std::string ProposedExportName(const std::string& tabName, const std::string& extension)
{
    std::string name = Trim(tabName);
    for (char& c : name)
        if (c == '/' || c == '\\' || c == ':') c = '_';
    return (name.empty() ? std::string("mass-haul") : name) + "." + extension;
}

} // namespace mardex
