#include "exam_start.h"

#include "picture_window.h"
#include "varno.h"
#include "window1.h"

void StartAmateurExam(Integer examClass)
{
    PictureWindow().Show();
    InitExamWindow(examClass);
    Window1().Hide();
    Window1().Show();
}

void InitExamWindow(Integer examClass)
{
    // The class is set first: the drawing weighs the questions by the
    // statistics of that class.
    Varno& app = App();
    const Integer previousClass = app.classNumber;
    app.classNumber = examClass;
    try {
        Window1().Init(examClass);
    } catch (const PoolUnreadableException&) {
        // The user has been told what is wrong with the pool file, which
        // left the loaded pool and its exam in place. Any later failure
        // comes after the new pool replaced the old one, and the class
        // stays with the pool.
        app.classNumber = previousClass;
    }
}
