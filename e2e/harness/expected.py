"""What the programs must write, spelled out here line by line, apart from
the programs' own code: the product files, the start-up options file, the
shortcut argument texts and the SAS configuration edit. "{literal_root}"
stands for the install root inside a single-quoted SAS literal, where SAS
reads an apostrophe written twice as one. Files are text in the ANSI code page
(Windows-1252 unless a test names another), CR LF after every line."""

CODE_PAGE = "cp1252"

AUTOEXEC = [
    "options awsdef=(0 0 100 100);",
    "libname pgmlib    '{literal_root}\\saspgm';",
    "libname dataware  '{literal_root}\\data';",
    "libname dest      '{literal_root}\\data\\sdtm';",
    "libname sdtmlib   '{literal_root}\\data\\sdtm';",
    "libname translib  '{literal_root}\\data\\translib';",
    "libname modlib    '{literal_root}\\data\\models';",
    "",
    "%include '{literal_root}\\saspgm\\contents.sas';",
    "%include '{literal_root}\\saspgm\\finddup.sas';",
    "%include '{literal_root}\\saspgm\\join.sas';",
    "%include '{literal_root}\\saspgm\\print_model.sas';",
    "%include '{literal_root}\\saspgm\\trans.sas';",
    "%include '{literal_root}\\saspgm\\verification_rep.sas';",
]

MACRO_FILES = {
    "contents.sas": [
        "/*------------------------------------------------------------*",
        "* program:     contents.sas                                   *",
        "* Description: Generate a PROC CONTENTS and PROC PRINT        *",
        "*              (100 obs)                                      *",
        "* Parameters:  indata = input data set                        *",
        "*              reptype = report type                          *",
        "*              output = output file                           *",
        "* By:          Ky Dorran, 1/10/2004                           *",
        "*-------------------------------------------------------------*/",
        "libname _templib '{literal_root}\\saspgm';",
        "%macro contents (indata = ,",
        "        reptype=,",
        "        output = );",
        "",
        "   proc display cat = _templib.kelvarion.contents.scl;",
        "   run;",
        "%mend ;",
    ],
    "finddup.sas": [
        "/*--------------------------------------------------------------------------*",
        "* program:     finddup.sas                                                  *",
        "* Description: Finds duplicate variable names in the transformation models. *",
        "* Parameters:  modlib = library for models,                                 *",
        "*              output= output report                                        *",
        "* By:          Eli Mastov, 8/23/2005                                        *",
        "*--------------------------------------------------------------------------*/",
        "libname _templib '{literal_root}\\saspgm';",
        "",
        "%macro finddup (modlib=,",
        "                output=);",
        "",
        "   *** Update the path to reflect your download location ***;",
        "   proc display cat = _templib.kelvarion.finddup.scl batch;",
        "   run;",
        "%mend ;",
    ],
    "join.sas": [
        "*------------------------------------------------------------------------*;",
        "* Program:     autoexec.sas                                              *;",
        "* Description: autoexec file for %join macro                                     *;",
        "* Author:      Tov Renali, 9/8/2005                                      *;",
        "*------------------------------------------------------------------------*;",
        "libname _trans_ '{literal_root}\\saspgm';",
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
    ],
    "print_model.sas": [
        "/*------------------------------------------------------------*",
        "* program:     printmodel.sas                                 *",
        "* Description: Generate a output report all fall models.      *",
        "* Parameters:  indata = input data set,                       *",
        "*              output = output report                         *",
        "* By:          Ivo Pell, 21/09/2005                           *",
        "*-------------------------------------------------------------*/",
        "libname _templib '{literal_root}\\saspgm';",
        "",
        "%macro print_model (indata = ,",
        "              output = );",
        "",
        "   proc display cat = _templib.kelvarion.printmodels.scl;",
        "   run;",
        "%mend print_model ;",
    ],
    "trans.sas": [
        "/*------------------------------------------------------------*",
        "* program:     trans.sas                                      *",
        "* Description: Transfer the data model to a new structure as  *",
        "*              specified by a specification.                  *",
        "* Parameters:  indata = input data set                        *",
        "*              outdata = output data set                      *",
        "*              outlabel = output label                        *",
        "*              model = transfer model data set                *",
        "*              output = output program                        *",
        "* By:          Ky Dorran, 1/6/2004                            *",
        "*-------------------------------------------------------------*/",
        "libname _templib '{literal_root}\\saspgm';",
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
    ],
    "verification_rep.sas": [
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
        "libname _templib '{literal_root}\\saspgm';",
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
    ],
}

TOOL_CONFIG = [
    "-awstitle 'QVK - Kelvarion\u2122'",
    "-autoexec '{literal_root}\\saspgm\\autoexec.sas'",
    "-splashloc  '{literal_root}\\splsh.bmp'",
    "-initcmd 'af cat = pgmlib.kelvarion.trans_manager.frame'",
]

PRODUCT_FOLDERS = ["saspgm", "data", "data\\sdtm", "data\\translib", "data\\models"]
MENU_FOLDERS = ["Corvantis", "Corvantis\\KELVARION"]

# The steps of an installation: caption shown before each, and its failure caption.
STEP_CAPTIONS = [
    "Creating autoexec.sas ...",
    "Creating contents.sas ...",
    "Creating finddup.sas ...",
    "Creating join.sas ...",
    "Creating print_model.sas ...",
    "Creating trans.sas ...",
    "Creating verification_rep.sas ...",
    "Creating desktop shortcut ...",
    "Config SAS System ...",
]
FAILURE_CAPTIONS = [
    "Error creating autoexec.sas ...",
    "Error creating contents.sas ...",
    "Error creating finddup.sas ...",
    "Error creating join.sas ...",
    "Error creating print_model.sas ...",
    "Error creating trans.sas ...",
    "Error creating verification_rep.sas ...",
    "Error creating desktop shortcut ...",
    "Error configing SAS System ...",
]
STEP_PROGRESS = [0, 10, 20, 30, 40, 50, 60, 70, 80]
DONE_CAPTION = "Installation completed."
NOTICE_TEXT = "Completed creating shortcut and macro files!"
NOTICE_TITLE = "Notice"


def text_file(lines, root, code_page=CODE_PAGE):
    """The bytes of a generated text file for this install root. The root
    must be held by the code page exactly (the program refuses it otherwise);
    fixed text takes the code page's default character "?" where it lacks one,
    as Windows converts (the trade-mark sign in 932, 936 and 874)."""
    literal_root = root.replace("'", "''").encode(code_page)
    return b"".join(
        literal_root.join(part.encode(code_page, errors="replace")
                          for part in line.split("{literal_root}")) + b"\r\n"
        for line in lines)


def autoexec(root, edition, code_page=CODE_PAGE):
    lines = AUTOEXEC if edition == "current" else AUTOEXEC[1:]
    return text_file(lines, root, code_page)


def product_files(root, edition, code_page=CODE_PAGE):
    """Every file an installation writes under the install root, by relative
    Windows path."""
    files = {"saspgm\\autoexec.sas": autoexec(root, edition, code_page)}
    for name, lines in MACRO_FILES.items():
        files["saspgm\\" + name] = text_file(lines, root, code_page)
    if edition == "current":
        files["kelvarion.cfg"] = text_file(TOOL_CONFIG, root, code_page)
    return files


def shortcut_arguments(edition, sas_config, root):
    if edition == "current":
        return f' -CONFIG "{sas_config}" -CONFIG "{root}\\kelvarion.cfg"'
    return (f' -CONFIG "{sas_config}" -autoexec "{root}\\saspgm\\autoexec.sas"'
            f' -initcmd "af cat = pgmlib.kelvarion.trans_manager.frame"'
            f' -splashloc "{root}\\splsh.bmp"')


def inserted_entry(root):
    """The line an installation puts after the "(" of the SASAUTOS list."""
    return ' ' * 16 + '"' + root + '\\saspgm"'
