options awsdef=(0 0 100 100);
libname pgmlib    '{literal_root}\saspgm';
libname dataware  '{literal_root}\data';
libname dest      '{literal_root}\data\sdtm';
libname sdtmlib   '{literal_root}\data\sdtm';
libname translib  '{literal_root}\data\translib';
libname modlib    '{literal_root}\data\models';

%include '{literal_root}\saspgm\contents.sas';
%include '{literal_root}\saspgm\finddup.sas';
%include '{literal_root}\saspgm\join.sas';
%include '{literal_root}\saspgm\print_model.sas';
%include '{literal_root}\saspgm\trans.sas';
%include '{literal_root}\saspgm\verification_rep.sas';
