#include "exam_start.h"

#include "picture_window.h"
#include "varno.h"
#include "window1.h"

void StartAmateurExam(Integer examClass)
{
    App().classNumber = examClass;
    PictureWindow().Show();
    Window1().Init(examClass);
    Window1().Hide();
    Window1().Show();
}
