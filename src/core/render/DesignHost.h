#pragma once
// The CAD host that the stick-up sheets are drawn through: a design file
// opened for drawing, its configuration, levels, line styles and fonts, a
// reusable text element, the border attachment and the final save. The
// program writes DGN files through GDAL (gdalhost/); tests record the calls.
#include <optional>
#include <string>

namespace mardex {

struct DesignPoint {
    double x = 0, y = 0, z = 0;
};

struct DesignLevel {
    int number = 0;
    std::string name;
};

struct DesignFont {
    int type = 0;
    std::string name;
};

// The template text element. The codes are the host's own; the program only
// passes them (the GDAL host maps the first attribute code to the colour
// index, the second to the line weight).
struct TextElement {
    std::string text;
    DesignPoint origin;
    double rotation = 0;
    std::optional<DesignLevel> level;
    int firstAttribute = 0;     // 36 for table texts, 34 for sheet labels
    std::string lineStyle;      // named line style
    int secondAttribute = 0;
    int placement = 0;          // 2 for table texts, 7 for project/control numbers
    double height = 0, width = 0;
    std::optional<DesignFont> font;  // the host's default when empty
};

// One border attachment. The point of the border file placed on the master
// point is the lower-left corner of the border file's extent.
struct ReferenceAttachment {
    std::string file;
    std::string modelName;
    std::string logicalName;
    std::string description;
    DesignPoint masterPoint;
    bool flag1 = true, flag2 = true;
};

class DesignHost {
public:
    virtual ~DesignHost() = default;

    // Makes the host ready; throws with a description when it is not available.
    virtual void Start() = 0;
    // Opens the design file; it becomes the active design file.
    virtual void OpenDesignFile(const std::string& path) = 0;
    virtual bool IsActiveModelReadOnly() = 0;
    virtual bool IsConfigurationVariableDefined(const std::string& name) = 0;
    // The variable's value with its references expanded.
    virtual std::string ExpandConfigurationVariable(const std::string& name) = 0;
    // The folder of the active design file, without a trailing separator.
    virtual std::string ActiveDesignFileFolder() = 0;

    // The host's current point and rotation for a new text element.
    virtual DesignPoint CurrentPoint() = 0;
    virtual double CurrentRotation() = 0;
    virtual std::optional<DesignLevel> FindLevel(const std::string& name) = 0;
    virtual std::optional<DesignLevel> ActiveLevel() = 0;
    virtual std::optional<std::string> FindLineStyle(const std::string& name) = 0;
    virtual std::optional<std::string> ActiveLineStyle() = 0;
    // A font of the given type and name; nullopt or a throw when there is none.
    virtual std::optional<DesignFont> FindFont(int type, const std::string& name) = 0;

    virtual void AttachReference(const ReferenceAttachment& attachment) = 0;
    // Adds a copy of the element, as it is now, to the active model.
    virtual void AddElement(const TextElement& element) = 0;
    // Shows the drawing and saves the active design file.
    virtual void FinishAndSave() = 0;
    // Lets go of the host and the design file; called on every exit path.
    virtual void Release() = 0;
};

} // namespace mardex
