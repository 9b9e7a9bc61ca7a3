/*------------------------------------------------------------*
* program:     contents.sas                                   *
* Description: Generate a PROC CONTENTS and PROC PRINT        *
*              (100 obs)                                      *
* Parameters:  indata = input data set                        *
*              reptype = report type                          *
*              output = output file                           *
* By:          Ky Dorran, 1/10/2004                           *
*-------------------------------------------------------------*/
libname _templib '{literal_root}\saspgm';
%macro contents (indata = ,
        reptype=,
        output = );

   proc display cat = _templib.kelvarion.contents.scl;
   run;
%mend ;
