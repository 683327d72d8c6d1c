#include <cstdio>

int main()
{
    std::puts("quorvane-cli: no commands yet");
    return 0;
}
