// Start-up: what is read for each edition, the install context it returns for
// the window, and the trap for a failure while reading.

#include <gtest/gtest.h>

#include <new>
#include <optional>

#include "app/startup.h"
#include "editions/current_edition.h"
#include "editions/legacy_edition.h"
#include "tests/fakes/fake_platform.h"

namespace kelvarion::testing {
namespace {

constexpr const char* kSas8 = "SOFTWARE\\SAS Institute Inc.\\The SAS System\\8";
constexpr const char* kSas91 = "SOFTWARE\\SAS Institute Inc.\\The SAS System\\9.1";
constexpr const char* kSas92 = "SOFTWARE\\SAS Institute Inc.\\The SAS System\\9.2";
constexpr const char* kProduct = "SOFTWARE\\Corvantis\\Kelvarion";

void install_every_version(FakePlatform& platform) {
    platform.set_registry_string(RegistryView::Bits32, kSas8, "DefaultRoot", "C:\\SAS\\V8");
    platform.set_registry_string(RegistryView::Bits32, kSas91, "DefaultRoot",
                                 "C:\\Program Files\\SAS\\SAS 9.1");
    platform.set_registry_string(RegistryView::Bits32, kSas92, "DefaultRoot",
                                 "C:\\Program Files\\SAS\\SASFoundation\\9.2");
    platform.set_registry_string(RegistryView::Bits32, kProduct, "AllUsers", "1");
}

std::vector<std::string> registry_reads_32(const FakePlatform& platform) {
    std::vector<std::string> reads;
    for (const std::string& entry : platform.log)
        if (entry.rfind("registry 32 ", 0) == 0) reads.push_back(entry.substr(12));
    return reads;
}

TEST(StartUp, CurrentEditionReadsThreeVersionsAndTheProductSetting) {
    FakePlatform platform;
    install_every_version(platform);
    const std::optional<InstallContext> found = startup(kCurrentEdition, platform);

    ASSERT_TRUE(found);
    const InstallContext& c = *found;
    EXPECT_EQ(c.sas_root(SasVersion::V8), "C:\\SAS\\V8");
    EXPECT_EQ(c.sas_root(SasVersion::V91), "C:\\Program Files\\SAS\\SAS 9.1");
    EXPECT_EQ(c.sas_root(SasVersion::V92), "C:\\Program Files\\SAS\\SASFoundation\\9.2");
    EXPECT_EQ(c.sas_exe(SasVersion::V8), "C:\\SAS\\V8\\sas.exe");
    EXPECT_EQ(c.sas_exe(SasVersion::V91), "C:\\Program Files\\SAS\\SAS 9.1\\sas.exe");
    EXPECT_EQ(c.sas_exe(SasVersion::V92), "C:\\Program Files\\SAS\\SASFoundation\\9.2\\sas.exe");
    EXPECT_EQ(c.all_users, "1");
    EXPECT_EQ(registry_reads_32(platform),
              (std::vector<std::string>{
                  std::string(kSas8) + " DefaultRoot", std::string(kSas91) + " DefaultRoot",
                  std::string(kSas92) + " DefaultRoot", std::string(kProduct) + " AllUsers"}));
    EXPECT_TRUE(platform.message_boxes.empty());
}

TEST(StartUp, LegacyEditionNeverReadsSas92NorTheProductKey) {
    FakePlatform platform;
    install_every_version(platform);
    const std::optional<InstallContext> found = startup(kLegacyEdition, platform);

    ASSERT_TRUE(found);
    const InstallContext& c = *found;
    EXPECT_EQ(c.sas_exe(SasVersion::V8), "C:\\SAS\\V8\\sas.exe");
    EXPECT_EQ(c.sas_exe(SasVersion::V91), "C:\\Program Files\\SAS\\SAS 9.1\\sas.exe");
    EXPECT_FALSE(c.found(SasVersion::V92));
    EXPECT_EQ(c.sas_exe(SasVersion::V92), "\\sas.exe");
    EXPECT_EQ(c.all_users, "");
    for (const std::string& entry : platform.log) {
        EXPECT_EQ(entry.find("9.2"), std::string::npos) << entry;
        EXPECT_EQ(entry.find("Corvantis"), std::string::npos) << entry;
    }
    EXPECT_EQ(registry_reads_32(platform),
              (std::vector<std::string>{std::string(kSas8) + " DefaultRoot",
                                        std::string(kSas91) + " DefaultRoot"}));
}

TEST(StartUp, AMachineWithoutSasStartsNormally) {
    for (const EditionProfile* edition : {&kCurrentEdition, &kLegacyEdition}) {
        SCOPED_TRACE(edition->name);
        FakePlatform platform;
        const std::optional<InstallContext> found = startup(*edition, platform);
        ASSERT_TRUE(found);
        const InstallContext& c = *found;
        EXPECT_FALSE(c.found(SasVersion::V8));
        EXPECT_FALSE(c.found(SasVersion::V91));
        EXPECT_FALSE(c.found(SasVersion::V92));
        EXPECT_EQ(c.sas_exe(SasVersion::V8), "\\sas.exe");
        EXPECT_EQ(c.sas_exe(SasVersion::V91), "\\sas.exe");
        EXPECT_EQ(c.sas_exe(SasVersion::V92), "\\sas.exe");
        EXPECT_EQ(c.all_users, "");
        EXPECT_TRUE(platform.message_boxes.empty());
    }
}

TEST(StartUp, RootsAreUsedAsStored) {
    FakePlatform platform;
    platform.set_registry_string(RegistryView::Bits32, kSas8, "DefaultRoot", "c:\\sas\\v8\\");
    // Stored as REG_EXPAND_SZ: that version counts as not installed.
    platform.set_registry_raw(RegistryView::Bits32, kSas91, "DefaultRoot", 2,
                              {'C', 0, ':', 0, '\\', 0, 0, 0});
    // A 64-bit SAS 9.2 registers in the 64-bit view only.
    platform.set_registry_string(RegistryView::Bits64, kSas92, "DefaultRoot",
                                 "C:\\Program Files\\SASHome\\SASFoundation\\9.2");
    platform.set_registry_string(RegistryView::Bits32, kProduct, "AllUsers", "0");
    const std::optional<InstallContext> found = startup(kCurrentEdition, platform);

    ASSERT_TRUE(found);
    const InstallContext& c = *found;
    EXPECT_EQ(c.sas_exe(SasVersion::V8), "c:\\sas\\v8\\\\sas.exe");
    EXPECT_FALSE(c.found(SasVersion::V91));
    EXPECT_EQ(c.sas_exe(SasVersion::V91), "\\sas.exe");
    EXPECT_EQ(c.sas_exe(SasVersion::V92),
              "C:\\Program Files\\SASHome\\SASFoundation\\9.2\\sas.exe");
    EXPECT_EQ(c.all_users, "0");
}

// A platform whose registry read fails by raising, as a failed allocation would.
class ThrowingRegistryPlatform : public FakePlatform {
public:
    explicit ThrowingRegistryPlatform(std::string throw_on_subkey)
        : throw_on_subkey_(std::move(throw_on_subkey)) {}
    RegistryRead read_registry_value(RegistryView view, const std::string& subkey,
                                     const std::string& value_name) override {
        if (subkey == throw_on_subkey_) throw std::bad_alloc();
        return FakePlatform::read_registry_value(view, subkey, value_name);
    }

private:
    std::string throw_on_subkey_;
};

TEST(StartUp, LegacyEditionIsUntouchedByAFailingSas92OrProductKey) {
    // Keys the legacy edition never opens cannot make its start-up fail.
    for (const char* subkey : {kSas92, kProduct}) {
        SCOPED_TRACE(subkey);
        ThrowingRegistryPlatform platform(subkey);
        install_every_version(platform);
        const std::optional<InstallContext> found = startup(kLegacyEdition, platform);
        EXPECT_TRUE(found);
        EXPECT_TRUE(platform.message_boxes.empty());
    }
}

TEST(StartUp, AFailureWhileReadingIsReportedAndGivesNoContext) {
    struct Case {
        const EditionProfile* edition;
        const char* subkey;
    };
    const Case cases[] = {
        {&kCurrentEdition, kSas8},    {&kCurrentEdition, kSas91}, {&kCurrentEdition, kSas92},
        {&kCurrentEdition, kProduct}, {&kLegacyEdition, kSas91},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.edition->name) + " " + c.subkey);
        ThrowingRegistryPlatform platform(c.subkey);
        install_every_version(platform);
        const std::optional<InstallContext> found = startup(*c.edition, platform);
        EXPECT_FALSE(found);
        ASSERT_EQ(platform.message_boxes.size(), 1u);
        EXPECT_EQ(platform.message_boxes[0].text, "Can not read data from registry");
        EXPECT_EQ(platform.message_boxes[0].title, "Error!");
        EXPECT_EQ(platform.message_boxes[0].icon, MessageIcon::Critical);
    }
}

}  // namespace
}  // namespace kelvarion::testing
