#include "file_types.h"

Ref<FileType> FileTypes::pMyprefs;

void FileTypes::_Initialize()
{
    pMyprefs = MakeRef<FileType>();
    pMyprefs->Name = "myprefs";
    pMyprefs->Extensions = "";
    pMyprefs->MacType = "pref";
    pMyprefs->MacCreator = "Vrno";
    pMyprefs->MimeType = "";
    pMyprefs->Imported = true;
    pMyprefs->ConformsTo = "";
    pMyprefs->Register();
}
