#pragma once
// The installation steps the programs run: each one calls the step procedure
// that does the work in generate/ or host/.

#include "app/install_context.h"
#include "app/install_steps.h"
#include "app/main_view.h"
#include "editions/edition_profile.h"
#include "platform/platform.h"

namespace kelvarion {

class RealInstallSteps : public InstallSteps {
public:
    // Every reference must outlive this object. The view is the main window's:
    // the SAS configuration step reads its option buttons and uses Text1.
    RealInstallSteps(const EditionProfile& edition, const InstallContext& context, MainView& view,
                     Platform& platform);

    bool create_autoexec() override;
    bool create_contents_macro() override;
    bool create_finddup_macro() override;
    bool create_join_macro() override;
    bool create_print_model_macro() override;
    bool create_trans_macro() override;
    bool create_verification_rep_macro() override;
    bool create_shortcuts(const std::string& version_key) override;
    bool config_sas() override;
    // Writes nothing in an edition without the start-up options file.
    bool create_tool_config() override;

private:
    const EditionProfile& edition_;
    const InstallContext& context_;
    MainView& view_;
    Platform& platform_;
};

}  // namespace kelvarion
