*------------------------------------------------------------------------*;
* Program:     autoexec.sas                                              *;
* Description: autoexec file for %join macro                                     *;
* Author:      Tov Renali, 9/8/2005                                      *;
*------------------------------------------------------------------------*;
libname _trans_ '{literal_root}\saspgm';

%macro join (indata =,
             outdata =,
               outlabel=,
             keys =,
               dropmis=,
             type =,
             output =);
proc display cat = _trans_.kelvarion.join.scl;
run;
%mend join;
