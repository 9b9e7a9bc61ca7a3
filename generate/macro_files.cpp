#include "generate/macro_files.h"

#include "generate/sas_literal.h"
#include "generate/text_file.h"
#include "model/product_layout.h"

namespace kelvarion {
namespace {

// The texts below are the product's files as its users know them: headers,
// spacing and empty lines are kept exactly, odd ones included (join.sas's
// header names autoexec.sas, print_model.sas's names printmodel.sas).

std::vector<std::string> contents_macro_lines(const std::string& install_root) {
    return {
        "/*------------------------------------------------------------*",
        "* program:     contents.sas                                   *",
        "* Description: Generate a PROC CONTENTS and PROC PRINT        *",
        "*              (100 obs)                                      *",
        "* Parameters:  indata = input data set                        *",
        "*              reptype = report type                          *",
        "*              output = output file                           *",
        "* By:          Ky Dorran, 1/10/2004                           *",
        "*-------------------------------------------------------------*/",
        "libname _templib " + sas_literal(macro_folder(install_root)) + ";",
        "%macro contents (indata = ,",
        "        reptype=,",
        "        output = );",
        "",
        "   proc display cat = _templib.kelvarion.contents.scl;",
        "   run;",
        "%mend ;",
    };
}

std::vector<std::string> finddup_macro_lines(const std::string& install_root) {
    return {
        "/*--------------------------------------------------------------------------*",
        "* program:     finddup.sas                                                  *",
        "* Description: Finds duplicate variable names in the transformation models. *",
        "* Parameters:  modlib = library for models,                                 *",
        "*              output= output report                                        *",
        "* By:          Eli Mastov, 8/23/2005                                        *",
        "*--------------------------------------------------------------------------*/",
        "libname _templib " + sas_literal(macro_folder(install_root)) + ";",
        "",
        "%macro finddup (modlib=,",
        "                output=);",
        "",
        "   *** Update the path to reflect your download location ***;",
        "   proc display cat = _templib.kelvarion.finddup.scl batch;",
        "   run;",
        "%mend ;",
    };
}

std::vector<std::string> join_macro_lines(const std::string& install_root) {
    return {
        "*------------------------------------------------------------------------*;",
        "* Program:     autoexec.sas                                              *;",
        "* Description: autoexec file for %join macro                                     *;",
        "* Author:      Tov Renali, 9/8/2005                                      *;",
        "*------------------------------------------------------------------------*;",
        "libname _trans_ " + sas_literal(macro_folder(install_root)) + ";",
        "",
        "%macro join (indata =,",
        "             outdata =,",
        "               outlabel=,",
        "             keys =,",
        "               dropmis=,",
        "             type =,",
        "             output =);",
        "proc display cat = _trans_.kelvarion.join.scl;",
        "run;",
        "%mend join;",
    };
}

std::vector<std::string> print_model_macro_lines(const std::string& install_root) {
    return {
        "/*------------------------------------------------------------*",
        "* program:     printmodel.sas                                 *",
        "* Description: Generate a output report all fall models.      *",
        "* Parameters:  indata = input data set,                       *",
        "*              output = output report                         *",
        "* By:          Ivo Pell, 21/09/2005                           *",
        "*-------------------------------------------------------------*/",
        "libname _templib " + sas_literal(macro_folder(install_root)) + ";",
        "",
        "%macro print_model (indata = ,",
        "              output = );",
        "",
        "   proc display cat = _templib.kelvarion.printmodels.scl;",
        "   run;",
        "%mend print_model ;",
    };
}

std::vector<std::string> trans_macro_lines(const std::string& install_root) {
    return {
        "/*------------------------------------------------------------*",
        "* program:     trans.sas                                      *",
        "* Description: Transfer the data model to a new structure as  *",
        "*              specified by a mapping document.               *",
        "* Parameters:  indata = input data set                        *",
        "*              outdata = output data set                      *",
        "*              outlabel = output label                        *",
        "*              model = transfer model data set                *",
        "*              output = output program                        *",
        "* By:          Ky Dorran, 1/6/2004                            *",
        "*-------------------------------------------------------------*/",
        "libname _templib " + sas_literal(macro_folder(install_root)) + ";",
        "",
        "%macro trans (indata = ,",
        "        outdata = ,",
        "        outlabel = ,",
        "        model = ,",
        "        output = ,",
        "        drop = );",
        "",
        "   *** Update the path to reflect your download location ***;",
        "   proc display cat = _templib.kelvarion.trans.scl;",
        "   run;",
        "",
        "%mend ;",
    };
}

std::vector<std::string> verification_rep_macro_lines(const std::string& install_root) {
    return {
        "/*------------------------------------------------------------*",
        "* program:     verification_rep.sas                           *",
        "* Description: Generate verification reports for review of    *",
        "*              transformation.                                *",
        "* Assumptions: None                                           *",
        "* Input:       srcdat = source data,                          *",
        "*              destdat =  destination data                    *",
        "*              model = model dataset                          *",
        "*              outpath =  output path                         *",
        "* Output:      HTML report                                    *",
        "* By:          Ivo Pell, 21/09/2005                           *",
        "*-------------------------------------------------------------*/",
        "libname _templib " + sas_literal(macro_folder(install_root)) + ";",
        "",
        "%macro verification_rep (srcdat = ,",
        "   destdat = ,",
        "   outpath = ,",
        "   model = );",
        "",
        "",
        "   proc display cat = _templib.kelvarion.verification_rep.scl;",
        "   run;",
        "%mend verification_rep ;",
    };
}

}  // namespace

const std::vector<MacroFile>& macro_files() {
    static const std::vector<MacroFile> files{
        {"contents.sas", contents_macro_lines},
        {"finddup.sas", finddup_macro_lines},
        {"join.sas", join_macro_lines},
        {"print_model.sas", print_model_macro_lines},
        {"trans.sas", trans_macro_lines},
        {"verification_rep.sas", verification_rep_macro_lines},
    };
    return files;
}

bool create_macro_file(const MacroFile& file, Platform& platform, std::string* err) {
    const std::string root = platform.install_root();
    return write_text_file(platform, macro_folder_file(root, file.file_name), file.lines(root),
                           root, err);
}

}  // namespace kelvarion
