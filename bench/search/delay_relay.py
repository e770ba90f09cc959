#!/usr/bin/env python3
"""A TCP relay on the loopback that holds every chunk it passes for a fixed time in each direction, so
that a client and a server on this machine see a network round trip of twice that time.

    delay_relay.py LISTEN_PORT TARGET_PORT ONE_WAY_DELAY_MS

Listens on 127.0.0.1 only and forwards to 127.0.0.1 only; it runs until it is stopped."""
import asyncio
import sys


async def forward(reader, writer, delay):
    loop = asyncio.get_running_loop()
    queue = asyncio.Queue()

    async def send():
        while True:
            due, data = await queue.get()
            wait = due - loop.time()
            if wait > 0:
                await asyncio.sleep(wait)
            if not data:
                break
            writer.write(data)
            await writer.drain()
        writer.close()

    sender = asyncio.create_task(send())
    try:
        while True:
            data = await reader.read(1 << 16)
            queue.put_nowait((loop.time() + delay, data))
            if not data:
                break
    except ConnectionError:
        queue.put_nowait((loop.time(), b""))
    await sender


async def main():
    listen_port, target_port, delay_ms = int(sys.argv[1]), int(sys.argv[2]), float(sys.argv[3])
    delay = delay_ms / 1000

    async def connected(client_reader, client_writer):
        server_reader, server_writer = await asyncio.open_connection("127.0.0.1", target_port)
        await asyncio.gather(forward(client_reader, server_writer, delay),
                             forward(server_reader, client_writer, delay), return_exceptions=True)

    server = await asyncio.start_server(connected, "127.0.0.1", listen_port)
    async with server:
        await server.serve_forever()


if __name__ == "__main__":
    asyncio.run(main())
