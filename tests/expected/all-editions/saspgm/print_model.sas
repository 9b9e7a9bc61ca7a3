/*------------------------------------------------------------*
* program:     printmodel.sas                                 *
* Description: Generate a output report all fall models.      *
* Parameters:  indata = input data set,                       *
*              output = output report                         *
* By:          Ivo Pell, 21/09/2005                           *
*-------------------------------------------------------------*/
libname _templib '{literal_root}\saspgm';

%macro print_model (indata = ,
              output = );

   proc display cat = _templib.kelvarion.printmodels.scl;
   run;
%mend print_model ;
