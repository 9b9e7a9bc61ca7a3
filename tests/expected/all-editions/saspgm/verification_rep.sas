/*------------------------------------------------------------*
* program:     verification_rep.sas                           *
* Description: Generate verification reports for review of    *
*              transformation.                                *
* Assumptions: None                                           *
* Input:       srcdat = source data,                          *
*              destdat =  destination data                    *
*              model = model dataset                          *
*              outpath =  output path                         *
* Output:      HTML report                                    *
* By:          Ivo Pell, 21/09/2005                           *
*-------------------------------------------------------------*/
libname _templib '{literal_root}\saspgm';

%macro verification_rep (srcdat = ,
   destdat = ,
   outpath = ,
   model = );


   proc display cat = _templib.kelvarion.verification_rep.scl;
   run;
%mend verification_rep ;
