/*------------------------------------------------------------*
* program:     trans.sas                                      *
* Description: Transfer the data model to a new structure as  *
*              specified by a mapping document.               *
* Parameters:  indata = input data set                        *
*              outdata = output data set                      *
*              outlabel = output label                        *
*              model = transfer model data set                *
*              output = output program                        *
* By:          Ky Dorran, 1/6/2004                            *
*-------------------------------------------------------------*/
libname _templib '{literal_root}\saspgm';

%macro trans (indata = ,
        outdata = ,
        outlabel = ,
        model = ,
        output = ,
        drop = );

   *** Update the path to reflect your download location ***;
   proc display cat = _templib.kelvarion.trans.scl;
   run;

%mend ;
