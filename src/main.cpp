#include "app/application.h"

int main(int argc, char** argv)
{
    return lirra::runApplication(argc, argv);
}
