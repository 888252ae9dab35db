#pragma once
// A design host for tests: answers from its settings and records every call,
// every text added and every border attached, in order.
#include "render/DesignHost.h"

#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace mardex::test {

class RecordingDesignHost : public DesignHost {
public:
    // What the host answers.
    bool available = true;
    bool readOnly = false;
    std::optional<std::string> msRfDir;
    std::string folder = "/nowhere";
    std::map<std::string, DesignLevel> levels{{"Level 1", {1, "Level 1"}}};
    std::optional<DesignLevel> activeLevel = DesignLevel{0, "Default"};
    std::map<std::string, std::string> lineStyles{{"0", "0"}};
    std::optional<std::string> activeLineStyle = "Solid";
    bool fontThrows = false;
    std::optional<DesignFont> font;  // what FindFont answers
    int failOnElement = -1;          // 0-based AddElement call that throws
    bool saveFails = false;

    // What the program did.
    std::vector<std::string> calls;
    std::vector<TextElement> elements;
    std::vector<ReferenceAttachment> attachments;
    // Index into `elements` before which each attachment came.
    std::vector<std::size_t> attachedBefore;
    std::string openedPath;
    bool saved = false;
    int releases = 0;

    void Start() override
    {
        calls.push_back("Start");
        if (!available) throw std::runtime_error("ActiveX component can't create object");
    }
    void OpenDesignFile(const std::string& path) override
    {
        calls.push_back("OpenDesignFile");
        openedPath = path;
    }
    bool IsActiveModelReadOnly() override
    {
        calls.push_back("IsActiveModelReadOnly");
        return readOnly;
    }
    bool IsConfigurationVariableDefined(const std::string& name) override
    {
        calls.push_back("IsConfigurationVariableDefined " + name);
        return msRfDir.has_value();
    }
    std::string ExpandConfigurationVariable(const std::string& name) override
    {
        calls.push_back("ExpandConfigurationVariable " + name);
        return msRfDir.value_or("");
    }
    std::string ActiveDesignFileFolder() override
    {
        calls.push_back("ActiveDesignFileFolder");
        return folder;
    }
    DesignPoint CurrentPoint() override { return {1, 2, 3}; }
    double CurrentRotation() override { return 0.5; }
    std::optional<DesignLevel> FindLevel(const std::string& name) override
    {
        auto it = levels.find(name);
        return it == levels.end() ? std::nullopt : std::optional<DesignLevel>(it->second);
    }
    std::optional<DesignLevel> ActiveLevel() override { return activeLevel; }
    std::optional<std::string> FindLineStyle(const std::string& name) override
    {
        auto it = lineStyles.find(name);
        return it == lineStyles.end() ? std::nullopt : std::optional<std::string>(it->second);
    }
    std::optional<std::string> ActiveLineStyle() override { return activeLineStyle; }
    std::optional<DesignFont> FindFont(int type, const std::string& name) override
    {
        calls.push_back("FindFont " + std::to_string(type) + " " + name);
        if (fontThrows) throw std::runtime_error("Font not found");
        return font;
    }
    void AttachReference(const ReferenceAttachment& a) override
    {
        calls.push_back("AttachReference " + a.logicalName);
        attachments.push_back(a);
        attachedBefore.push_back(elements.size());
    }
    void AddElement(const TextElement& e) override
    {
        if (static_cast<int>(elements.size()) == failOnElement) throw std::runtime_error("Invalid element");
        elements.push_back(e);
    }
    void FinishAndSave() override
    {
        calls.push_back("FinishAndSave");
        if (saveFails) throw std::runtime_error("Permission denied");
        saved = true;
    }
    void Release() override { ++releases; }
};

} // namespace mardex::test
