/*--------------------------------------------------------------------------*
* program:     finddup.sas                                                  *
* Description: Finds duplicate variable names in the transformation models. *
* Parameters:  modlib = library for models,                                 *
*              output= output report                                        *
* By:          Eli Mastov, 8/23/2005                                        *
*--------------------------------------------------------------------------*/
libname _templib '{literal_root}\saspgm';

%macro finddup (modlib=,
                output=);

   *** Update the path to reflect your download location ***;
   proc display cat = _templib.kelvarion.finddup.scl batch;
   run;
%mend ;
