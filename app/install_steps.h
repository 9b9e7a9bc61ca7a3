#pragma once
// The nine steps of the installation sequence, behind one interface so that the
// sequence can be tested with the steps faked. Each step does its own work,
// reports its own failure to the user and returns the success flag.

#include <string>

namespace kelvarion {

class InstallSteps {
public:
    virtual ~InstallSteps() = default;

    virtual bool create_autoexec() = 0;  // makes the product folders first
    virtual bool create_contents_macro() = 0;
    virtual bool create_finddup_macro() = 0;
    virtual bool create_join_macro() = 0;
    virtual bool create_print_model_macro() = 0;
    virtual bool create_trans_macro() = 0;
    virtual bool create_verification_rep_macro() = 0;
    virtual bool create_shortcuts(const std::string& version_key) = 0;
    // Window methods of frmMain delegate to these two.
    virtual bool config_sas() = 0;
    virtual bool create_tool_config() = 0;  // current edition only
};

}  // namespace kelvarion
